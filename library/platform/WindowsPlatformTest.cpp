#include "platform/WindowsPlatform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <shlobj.h>

#include <thread>

#include "config/ISectionalPropertyContainer.h"
#include "platform/FileSystem.h"
#include "platform/ModuleFileName.h"
#include "platform/WindowsHandles.h"
#include "platform/WindowsProcess.h"
#include "platform/WindowsTestSupport.h"

namespace {

TEST(WindowsPlatformTest, BoxesShowTheirTextCaptionAndStyle) {
  RecordingPlatform platform;
  platform.ShowError(L"Failed to create JVM");
  platform.ShowErrorTitled(L"Failed to find library.", L"C:\\rt\\bin\\server\\jvm.dll");
  platform.ShowErrorTitled(L"", L"No main class specified");
  std::vector<ShownBox> expected = {
      {L"Failed to create JVM", L"platform_windows_tests.exe", MB_ICONERROR},
      {L"C:\\rt\\bin\\server\\jvm.dll", L"Failed to find library.", MB_ICONERROR},
      {L"No main class specified", L"No main class specified", MB_ICONERROR},
  };
  EXPECT_EQ(expected, platform.boxes);
}

TEST(WindowsPlatformTest, AskOkCancelIsOkOnlyForTheOkButton) {
  struct Case {
    int button;
    DialogAnswer answer;
  };
  const Case kCases[] = {{IDOK, DialogAnswer::Ok}, {IDCANCEL, DialogAnswer::Cancel}, {-1, DialogAnswer::Cancel},
                         {0, DialogAnswer::Cancel}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.button);
    RecordingPlatform platform;
    platform.answer = c.button;
    EXPECT_EQ(c.answer, platform.AskOkCancel(L"", L"Continue?"));
    std::vector<ShownBox> expected = {{L"Continue?", L"", MB_OKCANCEL}};
    EXPECT_EQ(expected, platform.boxes);
  }
}

TEST(WindowsPlatformTest, ChangeWorkingDirectoryIgnoresAMissingFolder) {
  TestFolder folder;
  wchar_t before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  WindowsPlatform platform;
  platform.ChangeWorkingDirectory(folder.path);
  wchar_t now[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, now);
  EXPECT_EQ(0, lstrcmpiW(folder.path.c_str(), now));
  platform.ChangeWorkingDirectory(folder / L"missing");
  GetCurrentDirectoryW(MAX_PATH, now);
  EXPECT_EQ(0, lstrcmpiW(folder.path.c_str(), now));
  SetCurrentDirectoryW(before);
}

TEST(WindowsPlatformTest, ReservedSlotsAnswerNull) {
  WindowsPlatform platform;
  int first = 0;
  EXPECT_EQ(nullptr, platform.ReservedSlot5(&first, &first));
  EXPECT_EQ(nullptr, platform.ReservedSlot6(&first, &first));
}

TEST(WindowsPlatformTest, RoamingDataDirectoryIsTheUsersAppDataFolder) {
  WindowsPlatform platform;
  std::wstring roaming = platform.GetRoamingDataDirectory();
  ASSERT_FALSE(roaming.empty());
  EXPECT_NE(L'\\', roaming.back());
  EXPECT_TRUE(DirectoryExists(roaming));
  PWSTR known = nullptr;
  ASSERT_EQ(S_OK, SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known));
  EXPECT_EQ(std::wstring(known), roaming);
  CoTaskMemFree(known);
}

TEST(WindowsPlatformTest, RuntimeJvmLibraryPrefersJreFolderAndClient) {
  struct Case {
    std::vector<std::wstring> present;
    std::wstring expected;
  };
  const Case kCases[] = {
      {{L"bin\\server\\jvm.dll"}, L"bin\\server\\jvm.dll"},
      {{L"jre\\bin\\server\\jvm.dll", L"bin\\client\\jvm.dll"}, L"jre\\bin\\server\\jvm.dll"},
      {{L"jre\\bin\\client\\jvm.dll", L"jre\\bin\\server\\jvm.dll"}, L"jre\\bin\\client\\jvm.dll"},
      {{L"bin\\client\\jvm.dll", L"bin\\server\\jvm.dll"}, L"bin\\client\\jvm.dll"},
      {{}, L"bin\\server\\jvm.dll"},
  };
  WindowsPlatform platform;
  for (const Case& c : kCases) {
    TestFolder runtime;
    for (const std::wstring& file : c.present) runtime.Write(file, "MZ");
    SCOPED_TRACE(testing::Message() << c.expected);
    EXPECT_EQ(runtime / c.expected, platform.FindRuntimeJvmLibrary(runtime.path));
    EXPECT_EQ(runtime / c.expected, platform.FindRuntimeJvmLibrary(runtime.path + L"\\"));
  }
}

TEST(WindowsPlatformTest, InstallDirectoryIsTheExecutablesFolder) {
  WindowsPlatform platform;
  EXPECT_EQ(ExecutableFolder() + L"\\platform_windows_tests.exe", platform.GetExecutablePath());
  EXPECT_EQ(ExecutableFolder(), platform.GetInstallDirectory());
}

// The buffer starts at 260 characters and must grow for a deeper installation. Wine
// starts no program from so deep a folder, but loads a library from there, and the
// executable's path is read the same way.
TEST(WindowsPlatformTest, ModulePathLongerThan260CharactersIsWhole) {
  TestFolder folder;
  std::wstring deep = folder.path;
  while (deep.size() < 600) {
    deep += L"\\a-folder-name-of-forty-characters-xxxxx";
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr)) << GetLastError();
  }
  std::wstring library = deep + L"\\fixture_dep.dll";
  ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"\\fixture_dep.dll").c_str(), (L"\\\\?\\" + library).c_str(), FALSE));
  UniqueModule module(LoadLibraryW(library.c_str()));
  ASSERT_TRUE(module) << GetLastError();
  EXPECT_EQ(library, ReadModuleFileName(module.get()));
  HMODULE unloaded = module.get();
  module.reset();
  EXPECT_EQ(L"", ReadModuleFileName(unloaded)) << "no longer loaded";
}

// Only the length decides whether the path was cut; an error left over from an
// earlier call must not make the buffer grow without end.
TEST(WindowsPlatformTest, ExecutablePathIgnoresAnEarlierError) {
  WindowsPlatform platform;
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(ExecutableFolder() + L"\\platform_windows_tests.exe", platform.GetExecutablePath());
}

TEST(WindowsPlatformTest, OnMainThreadOnlyOnTheCreatingThread) {
  WindowsPlatform platform;
  EXPECT_TRUE(platform.OnMainThread());
  bool other = true;
  std::thread([&] { other = platform.OnMainThread(); }).join();
  EXPECT_FALSE(other);
}

// The user part of the address space, which the memory setting shares out: 2 GB
// for a 32-bit process (none of ours is large-address aware), far more than 4 GB
// for a 64-bit one.
TEST(WindowsPlatformTest, AddressSpaceFollowsTheBitnessOfTheProcess) {
  WindowsPlatform platform;
  if (sizeof(void*) == 4) {
    EXPECT_EQ(2047u, platform.GetAddressSpaceMegabytes());
  } else {
    EXPECT_GT(platform.GetAddressSpaceMegabytes(), 4096u);
  }
}

TEST(WindowsPlatformTest, GetInstanceIsOneWindowsPlatform) {
  Platform& first = Platform::GetInstance();
  EXPECT_NE(nullptr, dynamic_cast<WindowsPlatform*>(&first));
  EXPECT_EQ(&first, &Platform::GetInstance());
  EXPECT_NE(nullptr, dynamic_cast<WindowsProcess*>(first.NewProcess().get()));
}

TEST(WindowsPlatformTest, OpenConfigFileReadsIniElseTheFlatFormElseNothing) {
  TestFolder folder;
  folder.Write(L"ini.cfg", "[Application]\r\napp.mainclass=lv/Main\r\n");
  folder.Write(L"flat.cfg", "app.mainclass=lv/Flat\r\njvmarg.1=-Xmx1g\r\n");
  struct Case {
    const wchar_t* file;
    const wchar_t* mainClass;
  };
  const Case kCases[] = {{L"ini.cfg", L"lv/Main"}, {L"flat.cfg", L"lv/Flat"}, {L"missing.cfg", L""}};
  WindowsPlatform platform;
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.file);
    std::unique_ptr<ISectionalPropertyContainer> config = platform.OpenConfigFile(folder / c.file);
    ASSERT_NE(nullptr, config);
    std::wstring value;
    config->GetValue(L"Application", L"app.mainclass", value);
    EXPECT_EQ(c.mainClass, value);
  }
}

}  // namespace
