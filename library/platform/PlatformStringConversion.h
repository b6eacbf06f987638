#ifndef QUENDRA_PLATFORM_PLATFORMSTRINGCONVERSION_H
#define QUENDRA_PLATFORM_PLATFORMSTRINGCONVERSION_H

#include <string>

// The UTF-8 conversions under PlatformString: the Windows API on Windows, a
// portable coder on the host. Both return false when the text cannot be converted.
bool ConvertWideToUtf8(const std::wstring& text, std::string& utf8);
bool ConvertUtf8ToWide(const char* bytes, size_t count, std::wstring& text);
inline bool ConvertUtf8ToWide(const std::string& utf8, std::wstring& text) {
  return ConvertUtf8ToWide(utf8.data(), utf8.size(), text);
}

#endif
