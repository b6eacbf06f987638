// Whole launches under wine64 that look at the runtime's JVM library itself: where
// the DLLs it imports are found.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
