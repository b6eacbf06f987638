#ifndef QUENDRA_PLATFORM_FILESYSTEM_H
#define QUENDRA_PLATFORM_FILESYSTEM_H

#include <string>
#include <vector>

// File-system services with Windows semantics. The host build maps backslashes to
// slashes, so tests name files the same way on both.

// True when the path names any entry (a directory counts; wildcards may match).
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// Creates the directory and every missing ancestor, the highest first. True when at
// least one was created and none failed; false when nothing was missing.
bool CreateDirectoryPath(const std::wstring& path);
// Deletes a file, clearing its read-only attribute first. False when it is missing
// or cannot be deleted.
bool DeleteFileForced(const std::wstring& path);

// The outcome of replacing a file: whether it now holds the new content and, when
// it does not, the system's code for the step that failed (GetLastError on
// Windows, errno on the host; 0 when the system gave none). Tests as a bool.
struct FileWriteResult {
  bool written = false;
  unsigned long systemError = 0;

  explicit operator bool() const { return written; }
};

// The system's own wording of an error code, on one line; empty when it has none.
std::wstring DescribeSystemError(unsigned long code);

// The lines of a UTF-8 text file in order, without terminators; empty lines and
// lines beginning with "#" are dropped. A missing or unreadable file gives none.
std::vector<std::wstring> ReadTextLines(const std::wstring& path);
// Replaces the file with the lines in UTF-8, each ended by CR LF, creating missing
// folders. The new content goes to a temporary file in the same folder that then
// replaces the old one, so a failed write (full disk, crash) leaves the old file
// as it was, and no temporary file behind.
FileWriteResult WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines, bool perUserFile);

#endif
