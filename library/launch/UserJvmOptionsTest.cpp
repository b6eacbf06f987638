#include "launch/UserJvmOptions.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "config/ScratchFolder.h"

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

OrderedTable Table(const Pairs& pairs) {
  OrderedTable table;
  for (const auto& pair : pairs) table.Append(pair.first, pair.second);
  return table;
}

Pairs Entries(const OrderedTable& table) {
  Pairs pairs;
  for (const auto& entry : table) pairs.emplace_back(entry.key, entry.value);
  return pairs;
}

TEST(UserJvmOptionsTest, MergeKeepsDefaultOrderAndAppendsUserOnlyOptions) {
  struct Case {
    Pairs defaults;
    Pairs overrides;
    Pairs merged;
  };
  const Case kCases[] = {
      {{{L"-Xmx", L"512m"}, {L"-Dmode", L"a"}}, {{L"-Xmx", L"1g"}}, {{L"-Xmx", L"1g"}, {L"-Dmode", L"a"}}},
      {{{L"-Xmx", L"512m"}}, {{L"-Dextra", L"1"}}, {{L"-Xmx", L"512m"}, {L"-Dextra", L"1"}}},
      {{{L"-Xmx", L"512m"}, {L"-Dmode", L"a"}},
       {{L"-Dz", L"1"}, {L"-Dmode", L"b"}, {L"-Dy", L"2"}},
       {{L"-Xmx", L"512m"}, {L"-Dmode", L"b"}, {L"-Dz", L"1"}, {L"-Dy", L"2"}}},
      {{{L"-Xmx", L"512m"}}, {}, {{L"-Xmx", L"512m"}}},
      {{}, {{L"-Xmx", L"1g"}}, {{L"-Xmx", L"1g"}}},
      // Only the first entry of a repeated default takes the user's value.
      {{{L"-Da", L"1"}, {L"-Da", L"2"}}, {{L"-Da", L"3"}}, {{L"-Da", L"3"}, {L"-Da", L"2"}}},
      {{{L"-Xmx", L"512m"}}, {{L"-Xmx", L"1g"}, {L"-Xmx", L"2g"}}, {{L"-Xmx", L"1g"}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - kCases));
    EXPECT_EQ(c.merged, Entries(MergeUserJvmOptionTables(Table(c.defaults), Table(c.overrides))));
  }
}

TEST(UserJvmOptionsTest, OverridesAreTheValuesThatDifferFromTheDefaults) {
  struct Case {
    Pairs defaults;
    Pairs newValues;
    Pairs overrides;
  };
  const Pairs kDefaults = {{L"-Xmx", L"512m"}, {L"-Dmode", L"a"}, {L"-Dempty", L""}};
  const Case kCases[] = {
      {kDefaults, kDefaults, {}},
      {kDefaults, {{L"-Xmx", L"1g"}, {L"-Dmode", L"a"}}, {{L"-Xmx", L"1g"}}},
      {kDefaults, {{L"-Dnew", L"1"}, {L"-Xmx", L"512m"}}, {{L"-Dnew", L"1"}}},
      {kDefaults, {{L"-Dmode", L""}, {L"-Dempty", L""}}, {{L"-Dmode", L""}}},
      {kDefaults, {{L"-Dempty", L"x"}, {L"-Dmode", L"A"}}, {{L"-Dempty", L"x"}, {L"-Dmode", L"A"}}},
      {kDefaults, {{L"-Xmx", L"512m "}}, {{L"-Xmx", L"512m "}}},
      {kDefaults, {}, {}},
      {{}, {{L"-Xmx", L"1g"}}, {{L"-Xmx", L"1g"}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - kCases));
    EXPECT_EQ(c.overrides, Entries(SelectUserJvmOptionOverrides(Table(c.defaults), Table(c.newValues))));
  }
}

TEST(UserJvmOptionsTest, UserFileBelowTheApplicationFolder) {
  struct Case {
    const wchar_t* roaming;
    const wchar_t* appIdentifier;
    const wchar_t* fileName;
  };
  const Case kCases[] = {
      {L"C:\\U\\Roaming", L"tool", L"C:\\U\\Roaming\\tool\\packager\\jvmuserargs.cfg"},
      {L"C:\\U\\Roaming", L"vendor\\tool", L"C:\\U\\Roaming\\vendor\\tool\\packager\\jvmuserargs.cfg"},
      {L"C:\\U\\Roaming", L"", L"C:\\U\\Roaming\\packager\\jvmuserargs.cfg"},
      {L"C:\\U\\Roaming\\", L"tool\\", L"C:\\U\\Roaming\\tool\\packager\\jvmuserargs.cfg"},
      {L"C:\\U\\Roaming", L"$APPDIR", L"C:\\U\\Roaming\\$APPDIR\\packager\\jvmuserargs.cfg"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.appIdentifier);
    EXPECT_EQ(c.fileName, MakeUserConfigFileName(c.roaming, c.appIdentifier));
  }
}

TEST(UserJvmOptionsTest, WrittenFileHoldsOneSectionAndReadsBack) {
  ScratchFolder folder;
  std::wstring file = folder / L"tool\\packager\\jvmuserargs.cfg";
  OrderedTable overrides = Table({{L"-Xmx", L"1g"}, {L"-Da=b", L"c=d"}, {L"-Xss2m", L""}});
  WriteUserJvmOptionOverrides(file, L"JVMUserOverrideOptions", overrides);
  EXPECT_EQ("[JVMUserOverrideOptions]\r\n-Xmx=1g\r\n-Da\\=b=c=d\r\n-Xss2m=\r\n\r\n",
            folder.Read(L"tool\\packager\\jvmuserargs.cfg"));
  EXPECT_EQ(Entries(overrides), Entries(ReadUserJvmOptionOverrides(file, L"JVMUserOverrideOptions", L"app")));

  WriteUserJvmOptionOverrides(file, L"JVMUserOverrideOptions", OrderedTable());
  EXPECT_EQ("[JVMUserOverrideOptions]\r\n\r\n", folder.Read(L"tool\\packager\\jvmuserargs.cfg"));
}

TEST(UserJvmOptionsTest, UnusableUserFileGivesNoOverrides) {
  const char* const kContents[] = {
      "-Xmx=1g\n",
      "[Other]\n-Xmx=1g\n",
      "\xEF\xBB\xBF[JVMUserOverrideOptions]\n-Xmx=1g\n",
      "",
  };
  for (const char* content : kContents) {
    SCOPED_TRACE(content);
    ScratchFolder folder;
    folder.Write(L"jvmuserargs.cfg", content);
    EXPECT_EQ(0u, ReadUserJvmOptionOverrides(folder / L"jvmuserargs.cfg", L"JVMUserOverrideOptions", L"app").Count());
  }
}

}  // namespace
