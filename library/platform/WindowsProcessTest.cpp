#include "platform/WindowsProcess.h"

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include "jvm/Exception.h"
#include "platform/FileSystem.h"
#include "platform/WindowsTestSupport.h"

namespace {

using Arguments = std::vector<std::wstring>;

std::wstring Child() { return ExecutableFolder() + L"\\platform_child.exe"; }

// What the system's own parser makes of a command line.
Arguments Split(const std::wstring& commandLine) {
  int count = 0;
  UniqueArgumentVector arguments(CommandLineToArgvW(commandLine.c_str(), &count));
  if (!arguments) return {};
  return Arguments(arguments.get(), arguments.get() + count);
}

// The child writes its record to a file of this folder; each test ends the
// children it left running.
class WindowsProcessTest : public testing::Test {
 protected:
  WindowsProcessTest() { SetEnvironmentVariableW(L"QUENDRA_CHILD_RECORD", record.c_str()); }
  ~WindowsProcessTest() override {
    SetEnvironmentVariableW(L"QUENDRA_CHILD_RECORD", nullptr);
    for (DWORD id : running) End(id);
  }

  static void End(DWORD id) {
    UniqueKernelHandle child(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!child) return;
    TerminateProcess(child.get(), 9);
    WaitForSingleObject(child.get(), 5000);
  }

  // Waits until the child has written its record.
  std::vector<std::wstring> AwaitRecord() {
    for (int attempt = 0; attempt < 100 && ReadRawLines(record).empty(); ++attempt) Sleep(50);
    return ReadRawLines(record);
  }

  TestFolder folder;
  std::wstring record = folder / L"record.txt";
  std::vector<DWORD> running;
};

TEST(CommandLineTest, EveryArgumentArrivesWhole) {
  const Arguments kArguments[] = {
      {L"-Xappcds:generatecache", L"-Xapp:child"},
      {L"a b", L"", L"tab\there", L"say \"hi\"", L"\"", L"C:\\dir\\", L"C:\\dir with space\\",
       L"back\\\\\"slash", L"a\\b", L"\\\\server\\share\\x y"},
  };
  const std::wstring kPrograms[] = {L"C:\\app\\quendra3.exe", L"C:\\Program Files\\Quendra 3\\quendra3.exe"};
  for (const std::wstring& program : kPrograms) {
    for (const Arguments& arguments : kArguments) {
      SCOPED_TRACE(testing::Message() << program << L" " << arguments[0]);
      Arguments expected = {program};
      expected.insert(expected.end(), arguments.begin(), arguments.end());
      EXPECT_EQ(expected, Split(BuildCommandLine(program, arguments)));
    }
  }
  EXPECT_EQ(L"C:\\app\\quendra3.exe -Xappcds:generatecache -Xapp:child",
            BuildCommandLine(L"C:\\app\\quendra3.exe", kArguments[0]));
  EXPECT_EQ(L"\"C:\\Program Files\\q.exe\" plain \"a b\"", BuildCommandLine(L"C:\\Program Files\\q.exe",
                                                                            {L"plain", L"a b"}));
}

TEST_F(WindowsProcessTest, ChildFromAFolderWithBlanksGetsItsArgumentsWhole) {
  std::wstring program = folder / L"Program Files\\child copy.exe";
  CreateDirectoryW((folder / L"Program Files").c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(Child().c_str(), program.c_str(), FALSE));
  Arguments arguments = {L"0", L"-Xappcds:generatecache", L"a file.edoc", L"quote\"d", L"C:\\end\\"};
  WindowsProcess process;
  EXPECT_FALSE(process.Execute(program, arguments, true));
  std::vector<std::wstring> lines = ReadRawLines(record);
  ASSERT_EQ(arguments.size() + 2, lines.size());
  EXPECT_EQ(BuildCommandLine(program, arguments), lines[0]);
  EXPECT_EQ(program, lines[1]);
  EXPECT_EQ(arguments, Arguments(lines.begin() + 2, lines.end()));
}

TEST_F(WindowsProcessTest, ExecuteWithWaitReturnsAfterTheChildEnded) {
  WindowsProcess process;
  process.Execute(Child(), {L"3@400"}, true);
  EXPECT_EQ(3u, ReadRawLines(record).size()) << "the child records just before it exits";
  EXPECT_NE(0u, process.GetProcessID());
  EXPECT_FALSE(process.IsRunning());
}

TEST_F(WindowsProcessTest, WaitBlocksUntilTheChildExits) {
  WindowsProcess process;
  process.Execute(Child(), {L"5@300"}, false);
  UniqueKernelHandle child(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                       process.GetProcessID()));
  ASSERT_TRUE(child.valid());
  EXPECT_TRUE(process.IsRunning());
  EXPECT_FALSE(process.Wait());
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.get(), 0));
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(child.get(), &code));
  EXPECT_EQ(5u, code);
  EXPECT_FALSE(process.IsRunning());
}

TEST_F(WindowsProcessTest, SecondExecuteStartsNothing) {
  WindowsProcess process;
  process.Execute(Child(), {L"stay"}, false);
  running.push_back(process.GetProcessID());
  ASSERT_EQ(3u, AwaitRecord().size());
  DeleteFileW(record.c_str());
  EXPECT_FALSE(process.Execute(Child(), {L"0"}, true));
  EXPECT_EQ(running[0], process.GetProcessID());
  Sleep(300);
  EXPECT_FALSE(FileExists(record));
}

TEST_F(WindowsProcessTest, DetachAndDestructionLeaveTheChildRunning) {
  DWORD id = 0;
  {
    WindowsProcess process;
    process.Execute(Child(), {L"stay"}, false);
    id = process.GetProcessID();
    running.push_back(id);
    ASSERT_FALSE(AwaitRecord().empty());
    EXPECT_FALSE(process.Detach());
    EXPECT_TRUE(process.IsRunning());
    EXPECT_FALSE(process.Detach());
  }
  UniqueKernelHandle child(OpenProcess(SYNCHRONIZE, FALSE, id));
  ASSERT_TRUE(child.valid());
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(child.get(), 200));
}

TEST_F(WindowsProcessTest, MissingProgramThrowsWithItsPath) {
  std::wstring missing = folder / L"no such program.exe";
  WindowsProcess process;
  try {
    process.Execute(missing, {L"0"}, true);
    FAIL() << "no exception";
  } catch (const Exception& failure) {
    EXPECT_EQ(L"Error: Unable to create process " + missing, failure.message);
  }
  EXPECT_FALSE(process.Execute(Child(), {L"0"}, true)) << "the object stays used";
  EXPECT_FALSE(FileExists(record));
}

TEST_F(WindowsProcessTest, ChildrenShareOneJob) {
  WindowsProcess first;
  WindowsProcess second;
  first.Execute(Child(), {L"stay"}, false);
  second.Execute(Child(), {L"stay"}, false);
  running = {first.GetProcessID(), second.GetProcessID()};
  HANDLE job = GetChildJob();
  ASSERT_NE(nullptr, job);
  EXPECT_EQ(job, GetChildJob());
  for (DWORD id : running) {
    UniqueKernelHandle child(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, id));
    BOOL inJob = FALSE;
    ASSERT_TRUE(IsProcessInJob(child.get(), job, &inJob));
    EXPECT_TRUE(inJob) << id;
  }
}

// The launcher side is a process of its own that starts a child and exits: the
// job's last handle closes with it, and the child must end too.
TEST_F(WindowsProcessTest, LauncherExitEndsItsRunningChild) {
  std::wstring pidFile = folder / L"pid.txt";
  WindowsProcess launcher;
  launcher.Execute(ExecutableFolder() + L"\\platform_probe.exe", {L"spawn", Child(), pidFile}, true);
  DWORD id = static_cast<DWORD>(std::stoul(ReadBytes(pidFile)));
  running.push_back(id);
  UniqueKernelHandle child(OpenProcess(SYNCHRONIZE, FALSE, id));
  if (child) {
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.get(), 10000)) << "the child outlived its job";
  }
}

// The job's failures, each made to happen with a call that fails.
TEST(ChildJobTest, FailuresAreShownAndTheLimitIsOptional) {
  static std::vector<ShownBox> boxes;
  static UniqueKernelHandle made;
  boxes.clear();
  auto record = [](const wchar_t* text, const wchar_t* caption, UINT style) {
    boxes.push_back({text, caption, style});
  };
  ChildJobCalls noJob = {[]() -> HANDLE { return nullptr; }, kWindowsChildJobCalls.setLimit, record};
  EXPECT_EQ(nullptr, MakeChildJob(noJob));
  ChildJobCalls noLimit = {kWindowsChildJobCalls.createJob,
                           [](HANDLE, JOBOBJECT_EXTENDED_LIMIT_INFORMATION&) -> BOOL { return FALSE; }, record};
  made.reset(MakeChildJob(noLimit));
  EXPECT_TRUE(made.valid()) << "a job without its limit still serves";
  std::vector<ShownBox> expected = {
      {L"Could not create job object", L"TEST", MB_OK},
      {L"Could not SetInformationJobObject", L"TEST", MB_OK},
  };
  EXPECT_EQ(expected, boxes);
  boxes.clear();
  ChildJobCalls real = kWindowsChildJobCalls;
  real.alert = record;
  made.reset(MakeChildJob(real));
  ASSERT_TRUE(made.valid());
  EXPECT_TRUE(boxes.empty()) << "the Windows calls succeed, the size of the limit included";
  made.reset();
}

}  // namespace
