#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/WindowsHandles.h"

namespace {

constexpr DWORD kRunTimeoutMilliseconds = 60000;

// The folder of this test program, where the build puts quendra3.exe and, below
// "fixtures", the stand-in libraries.
std::wstring BinaryFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring own(path);
  return own.substr(0, own.rfind(L'\\'));
}

// A fresh folder holding a copy of quendra3.exe and a stand-in copied as
// lumapack.dll; removed with its content at the end.
class LaunchFolder {
 public:
  explicit LaunchFolder(const std::wstring& standIn) {
    wchar_t temporary[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temporary);
    path = std::wstring(temporary) + L"quendra-launch-" + std::to_wstring(GetCurrentProcessId()) + L"-" + standIn;
    CreateDirectoryW(path.c_str(), nullptr);
    std::wstring bin = BinaryFolder();
    copied = CopyFileW((bin + L"\\quendra3.exe").c_str(), Executable().c_str(), FALSE) &&
             CopyFileW((bin + L"\\fixtures\\" + standIn + L".dll").c_str(), (path + L"\\lumapack.dll").c_str(), FALSE);
  }
  ~LaunchFolder() {
    for (const wchar_t* name : {L"quendra3.exe", L"lumapack.dll", L"received.txt"}) {
      DeleteFileW((path + L"\\" + name).c_str());
    }
    RemoveDirectoryW(path.c_str());
  }

  std::wstring Executable() const { return path + L"\\quendra3.exe"; }

  // Runs the copy with the arguments and answers its exit code.
  DWORD Run(const std::wstring& arguments) const {
    std::wstring commandLine = L"\"" + Executable() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(Executable().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        path.c_str(), &startup, &started)) {
      ADD_FAILURE() << "cannot start the copy, error " << GetLastError();
      return ~0u;
    }
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    if (WaitForSingleObject(process.get(), kRunTimeoutMilliseconds) != WAIT_OBJECT_0) {
      TerminateProcess(process.get(), 99);
      ADD_FAILURE() << "the program did not end";
    }
    DWORD exitCode = ~0u;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
  }

  // The lines that the stand-in recorded, in order.
  std::vector<std::wstring> Received() const {
    UniqueFileHandle file(CreateFileW((path + L"\\received.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    std::vector<std::wstring> lines;
    if (!file) return lines;
    std::wstring text(GetFileSize(file.get(), nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }

  bool copied = false;

 private:
  std::wstring path;
};

// Each stand-in answers differently; only the byte 1 from start_launcher is success,
// stop_launcher follows only then, and the library is always unloaded before the end.
TEST(LauncherRunTest, ExitCodeFollowsTheLibrarysAnswer) {
  const std::wstring kLatvianName = L"J\u0101nis \u041D\u0430\u0442\u0430\u043B\u044C\u044F.edoc";
  struct Case {
    const wchar_t* standIn;
    bool hasStart;
    bool stopCalled;
    DWORD exitCode;
  };
  const Case kCases[] = {
      {L"standin-start1-stop", true, true, 0},
      {L"standin-start1", true, false, 0},
      {L"standin-start0-stop", true, false, 1},
      {L"standin-start2-stop", true, false, 1},
      {L"standin-nostart-stop", false, false, 1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.standIn);
    LaunchFolder folder(c.standIn);
    ASSERT_TRUE(folder.copied);
    EXPECT_EQ(c.exitCode, folder.Run(L"-Xappcds:off \"" + kLatvianName + L"\" -sign"));

    std::vector<std::wstring> expected;
    if (c.hasStart) {
      expected = {L"start 4", L"[0] " + folder.Executable(), L"[1] -Xappcds:off", L"[2] " + kLatvianName,
                  L"[3] -sign"};
    }
    if (c.stopCalled) expected.push_back(L"stop");
    expected.push_back(L"unloaded");
    EXPECT_EQ(expected, folder.Received());
  }
}

TEST(LauncherRunTest, ProgramAloneIsArgumentZero) {
  LaunchFolder folder(L"standin-start1");
  ASSERT_TRUE(folder.copied);
  EXPECT_EQ(0u, folder.Run(L""));
  std::vector<std::wstring> expected = {L"start 1", L"[0] " + folder.Executable(), L"unloaded"};
  EXPECT_EQ(expected, folder.Received());
}

}  // namespace
