#include <cstdlib>

#include "launch/DiagnosticLogFile.h"
#include "platform/PlatformString.h"

std::wstring UserProfileDirectory() {
  const char* profile = std::getenv("USERPROFILE");
  return profile != nullptr ? PlatformString::MultibyteStringToWideString(profile) : L"";
}

std::FILE* OpenLogFile(const std::string& path, const char* mode) {
  if (path.empty()) return nullptr;
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return std::fopen(native.c_str(), mode);
}

void LocalTime(std::time_t time, std::tm& local) {
  localtime_r(&time, &local);
}
