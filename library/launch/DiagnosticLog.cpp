#include "launch/DiagnosticLog.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <cwchar>

#include "launch/DiagnosticLogFile.h"
#include "platform/PlatformString.h"

namespace {

// The conversions that the library's log lines use: %u, %i, %d, %s, %S (a wide
// string, written as UTF-8 so that names such as Jānis stay readable) and %%.
std::string FormatMessage(const char* format, va_list arguments) {
  std::string text;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%' || p[1] == '\0') {
      text += *p;
      continue;
    }
    switch (*++p) {
      case 'u': text += std::to_string(va_arg(arguments, unsigned int)); break;
      case 'i':
      case 'd': text += std::to_string(va_arg(arguments, int)); break;
      case 's': {
        const char* narrow = va_arg(arguments, const char*);
        text += narrow != nullptr ? narrow : "(null)";
        break;
      }
      case 'S': {
        const wchar_t* wide = va_arg(arguments, const wchar_t*);
        text += PlatformString::WideStringToMultibyteString(wide != nullptr ? wide : L"(null)");
        break;
      }
      default: text += '%'; text += *p; break;
    }
  }
  return text;
}

std::string FormatTimeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local = {};
  LocalTime(now, local);
  char stamp[32];
  std::snprintf(stamp, sizeof(stamp), "%i-%.2i-%.2i %.2i:%.2i:%.2i ", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return stamp;
}

}  // namespace

void DiagnosticLog::WriteLog(const char* function, int line, const char* format, ...) {
  // Logging is on only while the file exists; it is never created here.
  LogFile file(OpenLogFile(GetLogFileName(), "r"));
  if (!file) return;
  file.reset(OpenLogFile(GetLogFileName(), "a"));
  if (!file) return;
  va_list arguments;
  va_start(arguments, format);
  std::string message = FormatMessage(format, arguments);
  va_end(arguments);
  std::fprintf(file.get(), "%s", FormatTimeStamp().c_str());
  std::fprintf(file.get(), "%s() [%i] ", function, line);
  std::fprintf(file.get(), "%s", message.c_str());
  std::fprintf(file.get(), "\n");
}

std::string DiagnosticLog::GetLogFileName() {
  std::wstring profile = UserProfileDirectory();
  if (profile.empty()) return {};
  return PlatformString::WideStringToMultibyteString(profile + L"\\.tarsel\\quendra3\\packager.log");
}
