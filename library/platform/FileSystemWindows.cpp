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

bool WriteWholeFile(const std::wstring& path, const std::string& content) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file) return false;
  DWORD written = 0;
  if (!content.empty() &&
      (!WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
       written != content.size())) {
    return false;
  }
  return FlushFileBuffers(file.get()) != FALSE;
}

// A new, empty file beside the target that receives the content before it
// replaces the target.
std::wstring MakeTemporaryBeside(const std::wstring& path) {
  std::wstring directory = ExtractDirectory(path);
  if (directory.empty()) directory = L".";
  wchar_t name[MAX_PATH + 1] = {};
  if (GetTempFileNameW(directory.c_str(), L"qtx", 0, name) == 0) return {};
  return name;
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

bool WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines, bool) {
  std::wstring directory = ExtractDirectory(path);
  if (!directory.empty() && !DirectoryExists(directory)) CreateDirectoryPath(directory);
  std::wstring temporary = MakeTemporaryBeside(path);
  if (temporary.empty()) return false;
  if (!WriteWholeFile(temporary, JoinTextLines(lines)) ||
      !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}
