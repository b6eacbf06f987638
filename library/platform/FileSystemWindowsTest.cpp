#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/WindowsHandles.h"

namespace {

std::wstring TemporaryFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, buffer);
  std::wstring folder = std::wstring(buffer) + L"quendra-fsw-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// A write that cannot replace the file (here: another process holds it open without
// sharing) must leave the user's old content whole and no temporary behind.
TEST(FileSystemWindowsTest, FailedReplaceKeepsTheOldFile) {
  std::wstring folder = TemporaryFolder();
  std::wstring file = folder + L"\\jvmuserargs.cfg";
  ASSERT_TRUE(WriteTextLines(file, {L"[JVMUserOverrideOptions]", L"-Xmx=2g"}, true));
  {
    UniqueFileHandle holder(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.valid());
    EXPECT_FALSE(WriteTextLines(file, {L"[JVMUserOverrideOptions]"}, true));
  }
  std::vector<std::wstring> expected = {L"[JVMUserOverrideOptions]", L"-Xmx=2g"};
  EXPECT_EQ(expected, ReadTextLines(file));
  EXPECT_TRUE(DeleteFileW(file.c_str()));
  EXPECT_TRUE(RemoveDirectoryW(folder.c_str())) << "a temporary file was left behind";
}

TEST(FileSystemWindowsTest, ReadOnlyFileIsDeleted) {
  std::wstring folder = TemporaryFolder();
  std::wstring file = folder + L"\\app.jsa";
  ASSERT_TRUE(WriteTextLines(file, {L"x"}, false));
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_TRUE(DeleteFileForced(file));
  EXPECT_FALSE(FileExists(file));
  RemoveDirectoryW(folder.c_str());
}

TEST(FileSystemWindowsTest, CreateDirectoryPathBelowADriveRoot) {
  wchar_t buffer[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, buffer);
  std::wstring drive = std::wstring(buffer).substr(0, 2);
  std::wstring top = drive + L"\\quendra-fsw-root-" + std::to_wstring(GetCurrentProcessId());
  EXPECT_TRUE(CreateDirectoryPath(top + L"\\a"));
  EXPECT_TRUE(DirectoryExists(top + L"\\a"));
  RemoveDirectoryW((top + L"\\a").c_str());
  RemoveDirectoryW(top.c_str());
}

}  // namespace
