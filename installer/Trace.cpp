#include "Trace.h"

#include <iostream>

namespace pennaroo {

void WriteTraceLine(const std::wstring& line) {
  // A character the console code page cannot show puts the stream into a failed
  // state, which would silently drop every later line, the result line included.
  std::wcout.clear();
  std::wcout << line << std::endl;
}

}  // namespace pennaroo
