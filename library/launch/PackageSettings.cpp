#include "launch/PackageSettings.h"

namespace {

bool IsAsciiDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// The percentage of a value such as "5%" or "50%"; -1 for any other form.
int ReadPercentage(const std::wstring& value) {
  if (value == L"auto" || value == L"100%") return 100;
  if (value.size() == 2 && IsAsciiDigit(value[0]) && value[1] == L'%') return value[0] - L'0';
  if (value.size() == 3 && IsAsciiDigit(value[0]) && IsAsciiDigit(value[1]) && value[2] == L'%') {
    return (value[0] - L'0') * 10 + (value[1] - L'0');
  }
  return -1;
}

}  // namespace

std::wstring ComposeClassPath(const std::wstring& configured, const std::wstring& mainJar) {
  std::wstring classPath = configured;
  for (wchar_t& c : classPath) {
    if (c == L':') c = L';';
  }
  if (classPath.empty()) return mainJar;
  if (classPath.find(mainJar) == std::wstring::npos) return mainJar + L";" + classPath;
  return classPath;
}

MemorySize ReadMemorySize(const std::wstring& value, uint64_t addressSpaceMegabytes) {
  int percentage = ReadPercentage(value);
  if (percentage < 0) return {};
  return {addressSpaceMegabytes * static_cast<uint64_t>(percentage) / 100, 1};
}
