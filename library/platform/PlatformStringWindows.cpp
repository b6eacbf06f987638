#include <windows.h>

#include "platform/PlatformStringConversion.h"

bool ConvertWideToUtf8(const std::wstring& text, std::string& utf8) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return false;
  std::string buffer(static_cast<size_t>(size), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &buffer[0], size, nullptr, nullptr) != size) {
    return false;
  }
  buffer.resize(static_cast<size_t>(size) - 1);
  utf8 = std::move(buffer);
  return true;
}

bool ConvertUtf8ToWide(const std::string& utf8, std::wstring& text) {
  if (utf8.empty()) {
    text.clear();
    return true;
  }
  int count = static_cast<int>(utf8.size());
  int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), count, nullptr, 0);
  if (size <= 0) return false;
  std::wstring buffer(static_cast<size_t>(size), L'\0');
  if (MultiByteToWideChar(CP_UTF8, 0, utf8.data(), count, &buffer[0], size) != size) return false;
  text = std::move(buffer);
  return true;
}
