#include "Trace.h"

#include <iostream>

namespace {

// A character the console code page cannot show puts the stream into a failed
// state, which would silently drop the rest of the line and every later line,
// the result line included. The line is cut there but still ends.
template <typename Value>
void WriteLine(const wchar_t* label, const Value& value) noexcept {
  try {
    std::wcout.clear();
    std::wcout << label << value;
    std::wcout.clear();
    std::wcout << std::endl;
  } catch (...) {
    // The trace is a courtesy to the installer; the call's result matters more.
  }
}

}  // namespace

void WriteTraceLine(const wchar_t* label, const std::wstring& text) noexcept {
  WriteLine(label, text);
}

void WriteTraceLine(const wchar_t* label, long long number) noexcept {
  WriteLine(label, number);
}
