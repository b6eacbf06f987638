#ifndef QUENDRA_LAUNCH_DIAGNOSTICLOG_H
#define QUENDRA_LAUNCH_DIAGNOSTICLOG_H

#include <string>

// The opt-in support log: a line goes to "%USERPROFILE%\.tarsel\quendra3\packager.log"
// only while that file exists. Wide-string arguments are given with "%S".
class DiagnosticLog {
 public:
  static void WriteLog(const char* function, int line, const char* format, ...);
  // The log file's path; empty when "USERPROFILE" is not set (logging is then off).
  static std::string GetLogFileName();
};

#endif
