#include "platform/FilePath.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
  const wchar_t* path;
  const wchar_t* expected;
};

template <typename Function, size_t N>
void ExpectAll(Function function, const PathCase (&cases)[N]) {
  for (const PathCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "path: " << testing::PrintToString(std::wstring(c.path)));
    EXPECT_EQ(std::wstring(c.expected), function(c.path));
  }
}

TEST(FilePathTest, IncludeTrailingBackslash) {
  const PathCase kCases[] = {
      {L"", L""},
      {L"C:\\app\\", L"C:\\app\\"},
      {L"C:\\app", L"C:\\app\\"},
      {L"C:/dir", L"C:/dir\\"},
  };
  ExpectAll(IncludeTrailingBackslash, kCases);
}

TEST(FilePathTest, ExtractDirectory) {
  const PathCase kCases[] = {
      {L"C:\\app\\launcher.exe", L"C:\\app"},
      {L"launcher.exe", L""},
      {L"C:\\", L"C:"},
      {L"C:/app/launcher.exe", L""},
  };
  ExpectAll(ExtractDirectory, kCases);
}

TEST(FilePathTest, ExtractFileName) {
  const PathCase kCases[] = {
      {L"C:\\app\\launcher.exe", L"launcher.exe"},
      {L"launcher.exe", L""},
      {L"C:\\app\\", L""},
  };
  ExpectAll(ExtractFileName, kCases);
}

TEST(FilePathTest, ChangeExtensionCutsAtTheLastFullStop) {
  const PathCase kCases[] = {
      {L"C:\\app\\launcher.exe", L"C:\\app\\launcher"},
      {L"C:\\app\\launcher", L"C:\\app\\launcher"},
      {L"C:\\a.b\\launcher", L"C:\\a"},
      {L".cfg", L".cfg"},
      {L"tool.beta.exe", L"tool.beta"},
  };
  ExpectAll([](const std::wstring& path) { return ChangeExtension(path, L""); }, kCases);
  EXPECT_EQ(L"C:\\app\\launcher.cfg", ChangeExtension(L"C:\\app\\launcher.exe", L".cfg"));
}

TEST(FilePathTest, ToBackslashes) {
  EXPECT_EQ(L"lib\\a.jar\\\\x", ToBackslashes(L"lib/a.jar/\\x"));
  EXPECT_EQ(L"", ToBackslashes(L""));
}

}  // namespace
