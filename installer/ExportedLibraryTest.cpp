// pennaroo.dll itself, called from another program as the installer's runtime calls it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fixtures/TestSupport.h"
#include "platform/WindowsHandles.h"

namespace {

struct DriverRun {
  DWORD exitCode = 0;
  std::string output;
};

std::string ReadAll(HANDLE pipe) {
  std::string output;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    output.append(buffer, read);
  }
  return output;
}

// Runs the driver with its standard output on a pipe and collects it to the end.
DriverRun RunDriver(const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
  UniqueKernelHandle reader;
  UniqueKernelHandle writer;
  EXPECT_TRUE(::CreatePipe(reader.receive(), writer.receive(), &inheritable, 0));
  ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writer.get();
  startup.hStdError = writer.get();
  std::wstring commandLine = L"\"" + ProgramFolder() + L"\\pennaroo_driver.exe\" " + arguments;
  PROCESS_INFORMATION process = {};
  DriverRun run;
  if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
    ADD_FAILURE() << "driver did not start, error " << ::GetLastError();
    return run;
  }
  UniqueKernelHandle processHandle(process.hProcess);
  UniqueKernelHandle threadHandle(process.hThread);
  // Only the child holds the write end now, so the read ends with the child.
  writer.reset();
  run.output = ReadAll(reader.get());
  ::WaitForSingleObject(processHandle.get(), INFINITE);
  ::GetExitCodeProcess(processHandle.get(), &run.exitCode);
  return run;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(ExportedLibraryTest, ElevateAndWaitWritesEachTraceLineToTheStandardOutput) {
  const std::wstring fixture = ProgramFolder() + L"\\pennaroo_exit_fixture.exe";
  const DriverRun run = RunDriver(L"elevate \"" + fixture + L"\" \"3 x\" \"\"");
  EXPECT_EQ(3u, run.exitCode);
  const std::vector<std::string> expected = {
      "elevateAndWait wCommand: " + Narrow(fixture),
      "elevateAndWait wParameters: 3 x",
      "elevateAndWait wWorkingDir: ",
      "elevateAndWait result: 3",
  };
  EXPECT_EQ(expected, SplitLines(run.output));
}

TEST(ExportedLibraryTest, TextTheConsoleCannotShowDoesNotSilenceTheLinesAfterIt) {
  ScratchFolder folder;
  const std::wstring missing = folder.File(L"\u6587\u4EF6.exe");
  const DriverRun run = RunDriver(L"elevate \"" + missing + L"\" \"\" \"\"");
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), run.exitCode);
  const std::vector<std::string> lines = SplitLines(run.output);
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ(0u, lines[0].find("elevateAndWait wCommand: " + Narrow(folder.Path())));
  const std::vector<std::string> lastLines(lines.begin() + 1, lines.end());
  const std::vector<std::string> expected = {
      "elevateAndWait wParameters: ",
      "elevateAndWait wWorkingDir: ",
      "elevateAndWait error: 2",
  };
  EXPECT_EQ(expected, lastLines);
}

}  // namespace
