#include "platform/FilePath.h"

std::wstring IncludeTrailingBackslash(const std::wstring& path) {
  if (path.empty() || path.back() == L'\\') return path;
  return path + L'\\';
}

std::wstring ExtractDirectory(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) return {};
  return path.substr(0, slash);
}

std::wstring ExtractFileName(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) return {};
  return path.substr(slash + 1);
}

std::wstring ChangeExtension(const std::wstring& path, const std::wstring& extension) {
  size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos) return path;
  std::wstring result = path.substr(0, dot) + extension;
  return result.empty() ? path : result;
}

std::wstring ToBackslashes(const std::wstring& path) {
  std::wstring result = path;
  for (wchar_t& c : result) {
    if (c == L'/') c = L'\\';
  }
  return result;
}
