#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/PlatformString.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in
// it at the end of the test. Paths are written with backslashes on every system.
class ScratchFolder {
 public:
  ScratchFolder() {
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    native = fs::temp_directory_path() / ("quendra-fs-" + std::to_string(stamp));
    fs::create_directories(native);
    path = native.wstring();
    for (wchar_t& c : path) {
      if (c == L'/') c = L'\\';
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(native, ignored);
  }
  std::wstring operator/(const std::wstring& name) const { return path + L"\\" + name; }

  fs::path native;
  std::wstring path;
};

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::string native = PlatformString::WideStringToMultibyteString(path);
  for (char& c : native) {
    if (c == '\\' && fs::path::preferred_separator == '/') c = '/';
  }
  std::ofstream file(fs::u8path(native), std::ios::binary);
  file << bytes;
}

std::string ReadBytes(const std::wstring& path) {
  std::string native = PlatformString::WideStringToMultibyteString(path);
  for (char& c : native) {
    if (c == '\\' && fs::path::preferred_separator == '/') c = '/';
  }
  std::ifstream file(fs::u8path(native), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(FileSystemTest, ExistenceOfFilesAndFolders) {
  ScratchFolder scratch;
  WriteBytes(scratch / L"a.cfg", "x");
  EXPECT_TRUE(FileExists(scratch / L"a.cfg"));
  EXPECT_FALSE(DirectoryExists(scratch / L"a.cfg"));
  EXPECT_TRUE(FileExists(scratch.path));
  EXPECT_TRUE(DirectoryExists(scratch.path));
  EXPECT_FALSE(FileExists(scratch / L"missing.cfg"));
  EXPECT_FALSE(DirectoryExists(scratch / L"missing"));
}

TEST(FileSystemTest, CreateDirectoryPathCreatesMissingAncestorsOnly) {
  ScratchFolder scratch;
  EXPECT_FALSE(CreateDirectoryPath(scratch.path));
  EXPECT_FALSE(CreateDirectoryPath(L""));
  EXPECT_TRUE(CreateDirectoryPath(scratch / L"one\\two"));
  EXPECT_TRUE(DirectoryExists(scratch / L"one"));
  EXPECT_TRUE(DirectoryExists(scratch / L"one\\two"));
  EXPECT_FALSE(CreateDirectoryPath(scratch / L"one\\two"));

  WriteBytes(scratch / L"file", "x");
  EXPECT_FALSE(CreateDirectoryPath(scratch / L"file\\below"));
}

TEST(FileSystemTest, DeleteFileForced) {
  ScratchFolder scratch;
  WriteBytes(scratch / L"cache.jsa", "archive");
  fs::permissions(scratch.native / "cache.jsa", fs::perms::owner_read, fs::perm_options::replace);
  EXPECT_TRUE(DeleteFileForced(scratch / L"cache.jsa"));
  EXPECT_FALSE(FileExists(scratch / L"cache.jsa"));
  EXPECT_FALSE(DeleteFileForced(scratch / L"cache.jsa"));
}

TEST(FileSystemTest, ReadTextLinesDropsEmptyAndHashLines) {
  ScratchFolder scratch;
  WriteBytes(scratch / L"a.cfg", "[Application]\r\n\r\n# comment\r\napp.mainjar=a.jar\n;kept\r\nlast");
  std::vector<std::wstring> expected = {L"[Application]", L"app.mainjar=a.jar", L";kept", L"last"};
  EXPECT_EQ(expected, ReadTextLines(scratch / L"a.cfg"));
  EXPECT_TRUE(ReadTextLines(scratch / L"missing.cfg").empty());
}

TEST(FileSystemTest, ByteOrderMarkStaysPartOfTheFirstLine) {
  ScratchFolder scratch;
  WriteBytes(scratch / L"bom.cfg", "\xEF\xBB\xBF#not a comment\r\nx=1\r\n");
  std::vector<std::wstring> lines = ReadTextLines(scratch / L"bom.cfg");
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(std::wstring(1, wchar_t(0xFEFF)) + L"#not a comment", lines[0]);
}

TEST(FileSystemTest, WrittenLinesComeBackUnchangedInAnyScript) {
  ScratchFolder scratch;
  std::vector<std::wstring> lines = {L"[JVMUserOverrideOptions]", L"-Duser=J\u0101nis \u0160\u0137\u0113le",
                                     L"-Dname=\u041D\u0430\u0442\u0430\u043B\u044C\u044F", L"-Xmx=1g"};
  std::wstring file = scratch / L"J\u0101nis\\\u041D\u0430\u0442\u0430\u043B\u044C\u044F\\jvmuserargs.cfg";
  EXPECT_TRUE(WriteTextLines(file, lines, true));
  EXPECT_EQ(lines, ReadTextLines(file));
  EXPECT_EQ("[JVMUserOverrideOptions]\r\n", ReadBytes(file).substr(0, 26));
}

TEST(FileSystemTest, WriteReplacesTheWholeFileAndLeavesNoTemporary) {
  ScratchFolder scratch;
  std::wstring file = scratch / L"x.cfg";
  WriteBytes(file, "old content that is longer than the new one\r\n");
  EXPECT_TRUE(WriteTextLines(file, {L"new", L""}, true));
  EXPECT_EQ("new\r\n\r\n", ReadBytes(file));
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(scratch.native)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(1, entries);
}

}  // namespace
