#include <stdlib.h>

#include "launch/DiagnosticLogFile.h"
#include "platform/PlatformString.h"

// The wide C runtime calls, so that a profile folder named outside the ANSI code
// page is still found.

std::wstring UserProfileDirectory() {
  const wchar_t* profile = _wgetenv(L"USERPROFILE");
  return profile != nullptr ? profile : L"";
}

std::FILE* OpenLogFile(const std::string& path, const char* mode) {
  if (path.empty()) return nullptr;
  std::wstring widePath = PlatformString::MultibyteStringToWideString(path);
  std::wstring wideMode = mode[0] == 'a' ? L"a" : L"r";
  return _wfopen(widePath.c_str(), wideMode.c_str());
}

void LocalTime(std::time_t time, std::tm& local) {
  __time64_t stamp = time;
  _localtime64_s(&local, &stamp);
}
