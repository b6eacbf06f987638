#include "jvm/JavaUserPreferences.h"

namespace {

bool IsAsciiCapital(wchar_t c) {
  return c >= L'A' && c <= L'Z';
}

}  // namespace

JavaUserPreferences::~JavaUserPreferences() = default;

std::wstring EncodePrefsName(const std::wstring& name) {
  std::wstring encoded;
  for (wchar_t c : name) {
    if (c == L'\0') break;
    if (c == L'/') {
      encoded += L'\\';
    } else if (c == L'\\') {
      encoded += L"//";
    } else if (IsAsciiCapital(c)) {
      encoded += L'/';
      encoded += c;
    } else {
      encoded += c;
    }
  }
  return encoded;
}

std::wstring DecodePrefsName(const std::wstring& name) {
  std::wstring decoded;
  for (size_t i = 0; i < name.size(); ++i) {
    wchar_t c = name[i];
    if (c == L'\\') {
      decoded += L'/';
    } else if (c != L'/') {
      decoded += c;
    } else if (i + 1 < name.size()) {
      wchar_t next = name[++i];
      if (IsAsciiCapital(next)) decoded += next;
      if (next == L'/') decoded += L'\\';
    }
  }
  return decoded;
}
