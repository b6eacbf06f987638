#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/PlatformString.h"
#include "platform/TextLines.h"

// The host stand-in: Windows paths with backslashes name the same POSIX paths with
// slashes; there are no wildcards and no read-only attribute.

namespace {

std::string ToNativePath(const std::wstring& path) {
  std::string native = PlatformString::WideStringToMultibyteString(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

bool IsExistingFolder(const std::wstring& path) {
  struct stat info;
  return stat(ToNativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool FileExists(const std::wstring& path) {
  struct stat info;
  return !path.empty() && stat(ToNativePath(path).c_str(), &info) == 0;
}

bool DirectoryExists(const std::wstring& path) {
  return !path.empty() && IsExistingFolder(path);
}

bool CreateDirectoryPath(const std::wstring& path) {
  std::vector<std::wstring> pending;
  for (std::wstring current = path; !current.empty() && !IsExistingFolder(current);
       current = ExtractDirectory(current)) {
    pending.insert(pending.begin(), current);
  }
  if (pending.empty()) return false;
  for (const std::wstring& directory : pending) {
    if (mkdir(ToNativePath(directory).c_str(), 0777) != 0) return false;
  }
  return true;
}

bool DeleteFileForced(const std::wstring& path) {
  if (!FileExists(path)) return false;
  return unlink(ToNativePath(path).c_str()) == 0;
}

std::vector<std::wstring> ReadTextLines(const std::wstring& path) {
  if (!FileExists(path)) return {};
  std::ifstream file(ToNativePath(path), std::ios::binary);
  if (!file) return {};
  std::ostringstream content;
  content << file.rdbuf();
  return SplitTextLines(content.str());
}

// A write that ends short without an error from the system (a full disk) still has
// a code to show.
FileWriteResult WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines, bool) {
  std::wstring directory = ExtractDirectory(path);
  if (!directory.empty() && !DirectoryExists(directory)) CreateDirectoryPath(directory);
  std::string target = ToNativePath(path);
  std::string temporary = target + ".XXXXXX";
  std::string content = JoinTextLines(lines);
  int descriptor = mkstemp(&temporary[0]);
  if (descriptor < 0) return FileWriteResult{false, static_cast<unsigned long>(errno)};
  errno = 0;
  bool written = write(descriptor, content.data(), content.size()) == static_cast<ssize_t>(content.size()) &&
                 fsync(descriptor) == 0;
  int error = written ? 0 : (errno != 0 ? errno : ENOSPC);
  if (close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    return FileWriteResult{false, static_cast<unsigned long>(error)};
  }
  return FileWriteResult{true, 0};
}

std::wstring DescribeSystemError(unsigned long code) {
  return PlatformString::MultibyteStringToWideString(std::strerror(static_cast<int>(code)));
}
