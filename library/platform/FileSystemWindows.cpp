#include <windows.h>

#include <direct.h>

#include <string>
#include <vector>

#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/PlatformString.h"
#include "platform/WindowsHandles.h"
#include "platform/TextLines.h"

namespace {

// The documented attribute flags, READONLY (0x1) to VIRTUAL (0x10000).
const DWORD kDocumentedAttributes = 0x1FFFF;

// A folder that is there for the upward walk of CreateDirectoryPath. Roots such as
// "C:" or "\\server\share" are no search results, so attributes decide here.
bool IsExistingFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ReadWholeFile(const std::wstring& path, std::string& content) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024) return false;
  content.assign(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!content.empty() && !ReadFile(file.get(), &content[0], static_cast<DWORD>(content.size()), &read, nullptr)) {
    return false;
  }
  content.resize(read);
  return true;
}

FileWriteResult Failed() {
  return FileWriteResult{false, GetLastError()};
}

// A write that ends short without an error from the system (a full disk) still has
// a code to show.
FileWriteResult WriteWholeFile(const std::wstring& path, const std::string& content) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file) return Failed();
  DWORD written = 0;
  if (!content.empty()) {
    if (!WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
      return Failed();
    }
    if (written != content.size()) return FileWriteResult{false, ERROR_DISK_FULL};
  }
  if (!FlushFileBuffers(file.get())) return Failed();
  return FileWriteResult{true, 0};
}

// A new, empty file beside the target that receives the content before it
// replaces the target; empty, with the system's code in `failure`, when none can
// be made.
std::wstring MakeTemporaryBeside(const std::wstring& path, FileWriteResult& failure) {
  std::wstring directory = ExtractDirectory(path);
  if (directory.empty()) directory = L".";
  wchar_t name[MAX_PATH + 1] = {};
  if (GetTempFileNameW(directory.c_str(), L"qtx", 0, name) == 0) {
    failure = Failed();
    return {};
  }
  return name;
}

// Without the temporary file, the error of the step that failed is what counts.
FileWriteResult Discard(const std::wstring& temporary, FileWriteResult failure) {
  DeleteFileW(temporary.c_str());
  return failure;
}

}  // namespace

bool FileExists(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileW(path.c_str(), &data));
  return find.valid();
}

bool DirectoryExists(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileW(path.c_str(), &data));
  return find.valid() && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateDirectoryPath(const std::wstring& path) {
  std::vector<std::wstring> pending;
  for (std::wstring current = path; !current.empty() && !IsExistingFolder(current);
       current = ExtractDirectory(current)) {
    pending.insert(pending.begin(), current);
  }
  if (pending.empty()) return false;
  for (const std::wstring& directory : pending) {
    if (_wmkdir(directory.c_str()) != 0) return false;
  }
  return true;
}

bool DeleteFileForced(const std::wstring& path) {
  if (!FileExists(path)) return false;
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetFileAttributesW(path.c_str(), attributes & kDocumentedAttributes & ~FILE_ATTRIBUTE_READONLY);
  }
  return DeleteFileW(path.c_str()) != FALSE;
}

std::vector<std::wstring> ReadTextLines(const std::wstring& path) {
  std::string content;
  if (!FileExists(path) || !ReadWholeFile(path, content)) return {};
  return SplitTextLines(content);
}

FileWriteResult WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines, bool) {
  std::wstring directory = ExtractDirectory(path);
  if (!directory.empty() && !DirectoryExists(directory)) CreateDirectoryPath(directory);
  std::string content = JoinTextLines(lines);
  FileWriteResult result;
  std::wstring temporary = MakeTemporaryBeside(path, result);
  if (temporary.empty()) return result;
  result = WriteWholeFile(temporary, content);
  if (!result) return Discard(temporary, result);
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Discard(temporary, Failed());
  }
  return result;
}

std::wstring DescribeSystemError(unsigned long code) {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  UniqueLocalMemory owner(text);
  std::wstring description(text != nullptr ? text : L"", text != nullptr ? length : 0);
  while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' ||
                                  description.back() == L' ')) {
    description.pop_back();
  }
  return description;
}
