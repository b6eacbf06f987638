#ifndef QUENDRA_LAUNCH_DIAGNOSTICLOGFILE_H
#define QUENDRA_LAUNCH_DIAGNOSTICLOGFILE_H

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

// The file access under the diagnostic log, per system.

struct LogFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using LogFile = std::unique_ptr<std::FILE, LogFileCloser>;

// The value of "USERPROFILE"; empty when it is not set.
std::wstring UserProfileDirectory();
// Opens the log file (its path in UTF-8) in text mode; null when that fails.
std::FILE* OpenLogFile(const std::string& path, const char* mode);
void LocalTime(std::time_t time, std::tm& local);

#endif
