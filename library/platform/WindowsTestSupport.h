#ifndef QUENDRA_PLATFORM_WINDOWSTESTSUPPORT_H
#define QUENDRA_PLATFORM_WINDOWSTESTSUPPORT_H

#include <windows.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/FilePath.h"
#include "platform/PlatformString.h"
#include "platform/WindowsHandles.h"
#include "platform/WindowsPlatform.h"

// The folder of the test executable, where the build puts the fixtures.
inline std::wstring ExecutableFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return ExtractDirectory(buffer);
}

inline std::string ReadBytes(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::string bytes(static_cast<size_t>(GetFileSize(file.get(), nullptr)), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// The lines of a UTF-8 file, empty ones included, without their line feeds.
inline std::vector<std::wstring> ReadRawLines(const std::wstring& path) {
  std::vector<std::wstring> lines;
  std::string bytes = ReadBytes(path);
  size_t start = 0;
  for (size_t end = bytes.find('\n'); end != std::string::npos; start = end + 1, end = bytes.find('\n', start)) {
    lines.push_back(PlatformString::MultibyteStringToWideString(bytes.substr(start, end - start)));
  }
  return lines;
}

// A fresh folder under the temporary folder, removed with its content afterwards.
class TestFolder {
 public:
  TestFolder() {
    static unsigned serial = 0;
    wchar_t temporary[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temporary);
    path = IncludeTrailingBackslash(temporary) + L"quendra-platform-" + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(serial++);
    std::filesystem::create_directories(path);
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(L"\\\\?\\" + path, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  std::wstring operator/(const std::wstring& relative) const { return path + L"\\" + relative; }

  // Writes the bytes, creating the folders on the way.
  void Write(const std::wstring& relative, const std::string& bytes) const {
    std::wstring file = *this / relative;
    std::filesystem::create_directories(ExtractDirectory(file));
    WriteBytes(file, bytes);
  }

  std::wstring path;
};

struct ShownBox {
  std::wstring text;
  std::wstring caption;
  unsigned style;
  bool operator==(const ShownBox& other) const {
    return text == other.text && caption == other.caption && style == other.style;
  }
};

inline void PrintTo(const ShownBox& box, std::ostream* out) {
  *out << PlatformString::WideStringToMultibyteString(box.text) << " / "
       << PlatformString::WideStringToMultibyteString(box.caption) << " / " << box.style;
}

// The Windows platform with its boxes recorded instead of shown; each box answers
// `answer`.
class RecordingPlatform : public WindowsPlatform {
 public:
  std::vector<ShownBox> boxes;
  int answer = IDOK;

 protected:
  int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned style) override {
    boxes.push_back({text, caption, style});
    return answer;
  }
};

#endif
