#include "StubRun.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace stubrun {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], size);
  return out;
}

std::wstring ScratchDirectory(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring directory = std::wstring(temp) + L"quendra-" + name + L"-" + std::to_wstring(::GetCurrentProcessId()) +
                           L"-" + std::to_wstring(::GetTickCount64());
  ::SHCreateDirectoryExW(nullptr, directory.c_str(), nullptr);
  return directory;
}

std::wstring BuiltStubPath() {
  return Wide(QUENDRA_JVMSTUB_DLL);
}

bool WriteBytesFile(const std::wstring& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return false;
  bool whole = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && whole;
}

void WriteUtf8File(const std::wstring& path, const std::string& text) {
  WriteBytesFile(path, text);
}

void InstallStub(const std::wstring& directory, const std::string& config) {
  ::SHCreateDirectoryExW(nullptr, directory.c_str(), nullptr);
  ::CopyFileW(BuiltStubPath().c_str(), (directory + L"\\jvm.dll").c_str(), FALSE);
  WriteUtf8File(directory + L"\\jvmstub.cfg", config);
}

namespace {

std::string Unescape(const std::string& line) {
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '%' && i + 2 < line.size()) {
      out += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += line[i];
    }
  }
  return out;
}

}  // namespace

std::vector<std::string> ReadRecord(const std::wstring& directory) {
  std::ifstream in((directory + L"\\jvmstub.log").c_str(), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(Unescape(line));
  return lines;
}

std::vector<std::string> Lines(const std::vector<std::string>& record, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : record) {
    if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line.substr(prefix.size()));
  }
  return found;
}

}  // namespace stubrun
