#include "platform/SharedLibrary.h"

#include <gtest/gtest.h>

#include "platform/RuntimeDependencies.h"
#include "platform/WindowsTestSupport.h"

namespace {

using Paths = std::vector<std::wstring>;

std::wstring Fixture(const wchar_t* name) { return ExecutableFolder() + L"\\" + name; }

bool IsLoaded(const wchar_t* name) { return GetModuleHandleW(name) != nullptr; }

// The fixture libraries append their names to this log when they are unloaded.
class SharedLibraryTest : public testing::Test {
 protected:
  SharedLibraryTest() { SetEnvironmentVariableW(L"QUENDRA_DETACH_LOG", detachLog.c_str()); }
  ~SharedLibraryTest() override { SetEnvironmentVariableW(L"QUENDRA_DETACH_LOG", nullptr); }

  std::vector<std::wstring> Detached() { return ReadRawLines(detachLog); }

  TestFolder folder;
  std::wstring detachLog = folder / L"detached.txt";
  RecordingPlatform platform;
};

TEST_F(SharedLibraryTest, DependenciesLoadFirstAndAreReleasedAfterTheLibrary) {
  {
    SharedLibrary library(platform);
    library.AddDependencies({Fixture(L"fixture_dep.dll")});
    ASSERT_TRUE(library.Load(Fixture(L"fixture_main.dll")));
    EXPECT_TRUE(IsLoaded(L"fixture_dep.dll"));
    auto answer = reinterpret_cast<int (*)()>(library.GetSymbol("FixtureAnswer"));
    ASSERT_NE(nullptr, answer);
    EXPECT_EQ(42, answer());
    EXPECT_EQ(nullptr, library.GetSymbol("NoSuchExport"));
    EXPECT_TRUE(library.Unload());
    EXPECT_FALSE(IsLoaded(L"fixture_main.dll"));
    EXPECT_FALSE(IsLoaded(L"fixture_dep.dll"));
    EXPECT_FALSE(library.Unload());
    // The dependencies were used up by the first load.
    ASSERT_TRUE(library.Load(Fixture(L"fixture_main.dll")));
    EXPECT_FALSE(IsLoaded(L"fixture_dep.dll"));
  }
  EXPECT_FALSE(IsLoaded(L"fixture_main.dll")) << "destruction unloads";
  EXPECT_EQ((std::vector<std::wstring>{L"fixture_main", L"fixture_dep", L"fixture_main"}), Detached());
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(SharedLibraryTest, SecondLoadDoesNothing) {
  SharedLibrary library(platform);
  ASSERT_TRUE(library.Load(Fixture(L"fixture_main.dll")));
  library.AddDependencies({Fixture(L"fixture_dep.dll")});
  EXPECT_TRUE(library.Load(Fixture(L"missing.dll")));
  EXPECT_FALSE(IsLoaded(L"fixture_dep.dll"));
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(SharedLibraryTest, MissingLibrariesShowTheirPathAndDoNotStopTheLoad) {
  std::wstring missingDependency = folder / L"msvcr100.dll";
  std::wstring missingLibrary = folder / L"jvm.dll";
  {
    SharedLibrary library(platform);
    library.AddDependencies({missingDependency});
    library.AddDependencies({});
    library.AddDependencies({Fixture(L"fixture_dep.dll")});
    EXPECT_TRUE(library.Load(Fixture(L"fixture_main.dll")));
    EXPECT_TRUE(IsLoaded(L"fixture_dep.dll"));
  }
  {
    SharedLibrary library(platform);
    library.AddDependencies({Fixture(L"fixture_dep.dll")});
    EXPECT_FALSE(library.Load(missingLibrary));
    EXPECT_TRUE(IsLoaded(L"fixture_dep.dll")) << "a failed load keeps what it preloaded";
    EXPECT_FALSE(library.Unload());
  }
  EXPECT_FALSE(IsLoaded(L"fixture_dep.dll")) << "destruction releases the preloaded library";
  std::vector<ShownBox> expected = {
      {missingDependency, L"Failed to find library.", MB_ICONERROR},
      {missingLibrary, L"Failed to find library.", MB_ICONERROR},
  };
  EXPECT_EQ(expected, platform.boxes);
}

TEST_F(SharedLibraryTest, PlatformLibraryOperations) {
  ModuleHandle module = platform.OpenLibrary(Fixture(L"fixture_dep.dll"));
  ASSERT_NE(nullptr, module);
  auto answer = reinterpret_cast<int (*)()>(platform.FindLibrarySymbol(module, "FixtureAnswer"));
  ASSERT_NE(nullptr, answer);
  EXPECT_EQ(7, answer());
  EXPECT_EQ(nullptr, platform.FindLibrarySymbol(module, "fixtureanswer"));
  EXPECT_TRUE(platform.CloseLibrary(module));
  EXPECT_EQ(nullptr, platform.OpenLibrary(folder / L"missing.dll"));
  EXPECT_FALSE(platform.CloseLibrary(nullptr));
}

TEST(RuntimeDependenciesTest, FirstCRuntimeFoundInJreBinThenBin) {
  TestFolder runtime;
  runtime.Write(L"bin\\msvcr100.dll", "MZ");
  runtime.Write(L"bin\\MSVCR.DLL", "MZ");
  runtime.Write(L"bin\\msvcrt.dll", "MZ");
  runtime.Write(L"jre\\bin\\msvcr120.dll", "MZ");
  runtime.Write(L"bin\\msvcr120.dll", "MZ");
  runtime.Write(L"bin\\MSVCP140.dll", "MZ");
  runtime.Write(L"bin\\VCRUNTIME140.dll", "MZ");
  struct Case {
    Paths names;
    Paths result;
  };
  const Case kCases[] = {
      {{L"msvcr100.dll", L"KERNEL32.dll"}, {runtime / L"bin\\msvcr100.dll"}},
      {{L"KERNEL32.dll", L"MSVCR.DLL"}, {runtime / L"bin\\MSVCR.DLL"}},
      {{L"msvcrt.dll"}, {runtime / L"bin\\msvcrt.dll"}},
      {{L"MSVCP140.dll", L"VCRUNTIME140.dll"}, {}},
      {{L"msvcr90.dll", L"msvcr100.dll", L"msvcr120.dll"}, {runtime / L"bin\\msvcr100.dll"}},
      {{L"msvcr120.dll"}, {runtime / L"jre\\bin\\msvcr120.dll"}},
      {{L"MSVCR71.DLL"}, {}},
      {{}, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << (c.names.empty() ? L"(none)" : c.names.back()));
    EXPECT_EQ(c.result, SelectRuntimeDependenciesIn(runtime.path, c.names));
    EXPECT_EQ(c.result, SelectRuntimeDependenciesIn(runtime.path + L"\\", c.names));
  }
}

TEST(RuntimeDependenciesTest, EmptyRuntimeLooksBelowTheCurrentDirectory) {
  TestFolder current;
  current.Write(L"bin\\msvcr100.dll", "MZ");
  wchar_t before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  SetCurrentDirectoryW(current.path.c_str());
  EXPECT_EQ(Paths{L"bin\\msvcr100.dll"}, SelectRuntimeDependenciesIn(L"", {L"msvcr100.dll"}));
  SetCurrentDirectoryW(before);
}

TEST(RuntimeDependenciesTest, PlatformAsksItsProviderForTheRuntime) {
  TestFolder runtime;
  runtime.Write(L"jre\\bin\\msvcr100.dll", "MZ");
  WindowsPlatform platform;
  platform.SetRuntimeDirectoryProvider([&] { return runtime.path; });
  EXPECT_EQ(Paths{runtime / L"jre\\bin\\msvcr100.dll"},
            platform.SelectRuntimeDependencies({L"KERNEL32.dll", L"msvcr100.dll"}));
}

}  // namespace
