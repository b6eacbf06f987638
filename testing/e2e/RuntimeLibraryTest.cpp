// Whole launches under Wine that look at the runtime's JVM library itself: where
// the DLLs it imports are found, and what the user sees when the launch fails in a
// way the launcher did not foresee.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "CraftedPeImage.h"
#include "PackageRun.h"
#include "StubRun.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const char kMainOnly[] = "classes=lv/demo/Main\n";

std::string Config(const PackageRun& run) {
  return "[Application]\n"
         "app.mainjar=demo.jar\n"
         "app.mainclass=lv.demo.Main\n"
         "app.runtime=$APPDIR\\runtime\n"
         "app.identifier=" + run.Identifier() + "\n";
}

std::wstring Built(const char* path) {
  return stubrun::Wide(path);
}

bool Copy(const std::wstring& from, const std::wstring& folder, const wchar_t* name) {
  ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  return ::CopyFileW(from.c_str(), (folder + L"\\" + name).c_str(), FALSE) != FALSE;
}

std::wstring Variable(const wchar_t* name) {
  wchar_t buffer[4096] = {};
  DWORD length = ::GetEnvironmentVariableW(name, buffer, 4096);
  return std::wstring(buffer, length < 4096 ? length : 0);
}

// An environment variable of this process, and so of the programs it starts, for the
// life of the object.
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const std::wstring& value) : name(name), old(Variable(name)) {
    ::SetEnvironmentVariableW(name, value.c_str());
  }
  ~ScopedVariable() { ::SetEnvironmentVariableW(name, old.empty() ? nullptr : old.c_str()); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const wchar_t* name;
  std::wstring old;
};

// The runtime's jvm.dll imports vcruntime140.dll, which the runtime ships in the
// folder above the JVM library's own. Wine would take its built-in of that name;
// these runs ask for native DLLs only (the build sets WINEDLLOVERRIDES for them,
// since Wine reads it from the environment it was started with), so the launch
// succeeds only when a copy is found, and the record says which. Copies beside the
// program and in the app folder (the current directory while the JVM library
// loads) must never be taken.
TEST(RuntimeLibraryTest, JvmLibraryFindsItsDependenciesInItsRuntime) {
  struct Layout {
    const wchar_t* jvmFolder;
    const wchar_t* binFolder;
    bool planted;  // copies beside the program and in the app folder as well
  };
  const Layout kLayouts[] = {
      {L"bin\\server", L"bin", false},
      {L"bin\\server", L"bin", true},
      {L"jre\\bin\\client", L"jre\\bin", true},
  };
  const std::wstring fixture = Built(QUENDRA_RUNTIME_FIXTURE_DLL);
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(stubrun::Utf8(layout.jvmFolder) + (layout.planted ? " with planted copies" : ""));
    PackageRun run(L"runtime-dependency");
    run.WriteConfig(Config(run));
    std::wstring jvmFolder = run.RuntimeDirectory() + L"\\" + layout.jvmFolder;
    std::wstring binFolder = run.RuntimeDirectory() + L"\\" + layout.binFolder;
    stubrun::InstallStub(jvmFolder, kMainOnly);
    ASSERT_TRUE(Copy(Built(QUENDRA_DEPENDENT_STUB_DLL), jvmFolder, L"jvm.dll"));
    ASSERT_TRUE(Copy(fixture, binFolder, L"vcruntime140.dll"));
    if (layout.planted) {
      ASSERT_TRUE(Copy(fixture, run.Directory(), L"vcruntime140.dll"));
      ASSERT_TRUE(Copy(fixture, run.Directory() + L"\\app", L"vcruntime140.dll"));
    }
    PackageRun::Result result = run.Launch(L"");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_THAT(result.messages, IsEmpty());
    std::vector<std::string> record = stubrun::ReadRecord(jvmFolder);
    EXPECT_THAT(stubrun::Lines(record, "dependency "), ElementsAre(stubrun::Utf8(binFolder + L"\\vcruntime140.dll")));
    EXPECT_THAT(stubrun::Lines(record, "main "), ElementsAre("lv/demo/Main argc=0", "returns"));
  }
}

// A profile of its own for the launched program, with the diagnostic log on.
std::wstring ProfileWithLog(const PackageRun& run) {
  std::wstring profile = run.Directory() + L"\\profile";
  std::wstring folder = profile + L"\\.tarsel\\quendra3";
  ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  stubrun::WriteUtf8File(folder + L"\\packager.log", "");
  return profile;
}

std::vector<std::string> LogMessages(const std::wstring& profile) {
  std::ifstream in((profile + L"\\.tarsel\\quendra3\\packager.log").c_str(), std::ios::binary);
  std::vector<std::string> messages;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // Past the time stamp "YYYY-MM-DD hh:mm:ss ".
    if (line.size() > 20) messages.push_back(line.substr(20));
  }
  return messages;
}

// A failure that is none of the launcher's own still ends the launch with the generic
// launch message and exit code 1, and the log says what was caught. In a 32-bit
// process it is the real thing: a damaged runtime whose jvm.dll has an import table
// of 96 MB naming one DLL over and over makes the import scan ask for more than the
// 2 GB address space. A 64-bit process has the room, so there memory runs out while
// main runs, as the stand-in reports it (a C++ exception cannot cross from the
// stand-in into the launcher in a 32-bit process: each DLL has its own unwinder).
TEST(RuntimeLibraryTest, UnforeseenFailureIsShownAndLogged) {
  PackageRun run(L"unforeseen");
  run.WriteConfig(Config(run));
  run.InstallStub("classes=lv/demo/Main\nmain.fail=bad_alloc\n");
  if (sizeof(void*) == 4) {
    ASSERT_TRUE(stubrun::WriteBytesFile(run.RuntimeDirectory() + L"\\bin\\server\\jvm.dll",
                                        craftedpe::RepeatedLongestName(96u << 20)));
  }
  std::wstring profile = ProfileWithLog(run);
  PackageRun::Result result;
  {
    ScopedVariable userProfile(L"USERPROFILE", profile);
    // Filling 2 GB takes its time on a slow machine.
    result = run.Launch(L"", 240000);
  }
  EXPECT_EQ(1u, result.exitCode);
  EXPECT_THAT(result.messages, ElementsAre("Failed to launch JVM\n"));
  if (sizeof(void*) == 8) {
    EXPECT_THAT(run.Lines("main "), ElementsAre("lv/demo/Main argc=0", "fails with std::bad_alloc"));
  }
  EXPECT_THAT(LogMessages(profile), testing::Contains("start_launcher() [134] failed: std::bad_alloc"));
}

}  // namespace
