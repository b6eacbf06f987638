#include "launch/PackageSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(PackageSettingsTest, ClassPathPutsTheMainJarFirstUnlessPresent) {
  struct Case {
    const wchar_t* configured;
    const wchar_t* mainJar;
    const wchar_t* classPath;
  };
  const Case kCases[] = {
      {L"lib/a.jar:lib/b.jar", L"C:\\P\\app\\main.jar", L"C:\\P\\app\\main.jar;lib/a.jar;lib/b.jar"},
      {L"C:\\lib\\x.jar", L"C:\\P\\app\\main.jar", L"C:\\P\\app\\main.jar;C;\\lib\\x.jar"},
      {L"", L"C:\\P\\app\\main.jar", L"C:\\P\\app\\main.jar"},
      // The colons are turned before the search, so a main jar with a drive letter
      // is never found and always put in front.
      {L"C:\\P\\app\\main.jar", L"C:\\P\\app\\main.jar", L"C:\\P\\app\\main.jar;C;\\P\\app\\main.jar"},
      {L"lib\\a.jar;\\\\srv\\app\\main.jar", L"\\\\srv\\app\\main.jar", L"lib\\a.jar;\\\\srv\\app\\main.jar"},
      // A plain substring search: the jar's text counts wherever it stands.
      {L"\\\\srv\\app\\main.jar.old", L"\\\\srv\\app\\main.jar", L"\\\\srv\\app\\main.jar.old"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.configured);
    EXPECT_EQ(c.classPath, ComposeClassPath(c.configured, c.mainJar));
  }
}

TEST(PackageSettingsTest, MemorySizeForms) {
  struct Case {
    const wchar_t* value;
    uint64_t addressSpace;
    uint64_t megabytes;
    int32_t present;
  };
  const Case kCases[] = {
      {L"auto", 2047, 2047, 1},
      {L"100%", 2047, 2047, 1},
      {L"50%", 2047, 1023, 1},
      {L"5%", 2047, 102, 1},
      {L"05%", 2047, 102, 1},
      {L"99%", 134217727, 132875549, 1},
      {L"0%", 2047, 0, 1},
      {L"50%", 0, 0, 1},
      {L"AUTO", 2047, 0, 0},
      {L"512m", 2047, 0, 0},
      {L"100 %", 2047, 0, 0},
      {L"150", 2047, 0, 0},
      {L"150%", 2047, 0, 0},
      {L"%", 2047, 0, 0},
      {L"a%", 2047, 0, 0},
      {L"", 2047, 0, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.value << " of " << c.addressSpace);
    MemorySize size = ReadMemorySize(c.value, c.addressSpace);
    EXPECT_EQ(c.megabytes, size.megabytes);
    EXPECT_EQ(c.present, size.present);
  }
}

}  // namespace
