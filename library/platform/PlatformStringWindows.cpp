#include <windows.h>

#include "platform/PlatformStringConversion.h"

// One call each way into a buffer large enough for any text, instead of a call
// that asks for the size first: a UTF-16 unit takes at most three UTF-8 bytes, and
// a byte at most one UTF-16 unit.
bool ConvertWideToUtf8(const std::wstring& text, std::string& utf8) {
  std::string buffer(text.size() * 3 + 1, '\0');
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &buffer[0], static_cast<int>(buffer.size()), nullptr,
                                 nullptr);
  if (size <= 0) return false;
  buffer.resize(static_cast<size_t>(size) - 1);
  utf8 = std::move(buffer);
  return true;
}

bool ConvertUtf8ToWide(const char* bytes, size_t count, std::wstring& text) {
  if (count == 0) {
    text.clear();
    return true;
  }
  std::wstring buffer(count, L'\0');
  int size = MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(count), &buffer[0], static_cast<int>(count));
  if (size <= 0) return false;
  buffer.resize(static_cast<size_t>(size));
  text = std::move(buffer);
  return true;
}
