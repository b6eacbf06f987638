#include "Trace.h"

#include <iostream>

namespace pennaroo {

void WriteTraceLine(const std::wstring& line) {
  // A character the console code page cannot show puts the stream into a failed
  // state, which would silently drop the rest of the line and every later line,
  // the result line included. The line is cut there but still ends.
  std::wcout.clear();
  std::wcout << line;
  std::wcout.clear();
  std::wcout << std::endl;
}

}  // namespace pennaroo
