#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>

namespace pennaroo::test {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetSystemDirectoryW(path, MAX_PATH);
  return path;
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  path = std::wstring(temp) + L"pennaroo-test-" + std::to_wstring(::GetCurrentProcessId()) +
         L"-" + std::to_wstring(++counter);
  ::CreateDirectoryW(path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::DeleteFileW(File(entry.cFileName).c_str());
      }
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
  }
  // A program just started in this folder may hold it for a moment after its end.
  for (int attempt = 0; attempt < 50 && !::RemoveDirectoryW(path.c_str()); ++attempt) {
    ::Sleep(20);
  }
}

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const std::wstring& value)
    : name(name) {
  ::SetEnvironmentVariableW(name, value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  ::SetEnvironmentVariableW(name.c_str(), nullptr);
}

FixtureRecord::FixtureRecord()
    : folder(), variable(L"PENNAROO_FIXTURE_RECORD", folder.File(L"record.txt")) {}

std::vector<std::string> FixtureRecord::Lines() const {
  std::ifstream file(folder.File(L"record.txt").c_str(), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return SplitLines(text);
}

std::vector<std::string> FixtureRecord::Lines(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const std::string& line : Lines()) {
    if (line.compare(0, prefix.size(), prefix) == 0) matching.push_back(line);
  }
  return matching;
}

std::vector<std::wstring> TraceCapture::Lines() const {
  return SplitLines(captured.str());
}

void CopyFixture(const std::wstring& source, const std::wstring& target) {
  ASSERT_TRUE(::CopyFileW(source.c_str(), target.c_str(), FALSE))
      << "cannot copy fixture, error " << ::GetLastError();
}

}  // namespace pennaroo::test
