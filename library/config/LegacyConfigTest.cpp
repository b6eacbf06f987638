#include "config/LegacyConfig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ConfigDescription.h"
#include "config/IniFile.h"
#include "config/OptionText.h"
#include "config/PropertyFile.h"
#include "config/ScratchFolder.h"
#include "config/TestPlatform.h"

namespace {

using Lines = std::vector<std::wstring>;

PropertyFile Flat(const Lines& lines) {
  PropertyFile properties;
  properties.LoadFromLines(lines);
  return properties;
}

TEST(LegacyConfigTest, NumberedListsEndAtTheFirstMissingNumber) {
  PropertyFile gap = Flat({L"jvmarg.1=-Xmx1g", L"jvmarg.3=-Xms1g"});
  EXPECT_EQ((Entries{{L"-Xmx1g", L""}}), EntriesOf(ReadLegacyJvmArgs(gap)));

  PropertyFile three = Flat({L"jvmarg.1=-Dk=v", L"jvmarg.2=-Xmx1g", L"jvmarg.3=x\\=y=z"});
  EXPECT_EQ((Entries{{L"-Dk", L"v"}, {L"-Xmx1g", L""}, {L"x=y", L"z"}}), EntriesOf(ReadLegacyJvmArgs(three)));

  PropertyFile none = Flat({L"jvmarg.0=-Xmx1g", L"jvmarg.01=-Xms1g"});
  EXPECT_EQ(0u, ReadLegacyJvmArgs(none).Count());
  PropertyFile empty;
  EXPECT_EQ(0u, ReadLegacyJvmArgs(empty).Count());
}

TEST(LegacyConfigTest, EmptyItemsAreSkippedAndTheListGoesOn) {
  PropertyFile properties = Flat({
      L"jvmarg.1=",
      L"jvmarg.2=-Xss1m",
      L"jvmuserarg.1.name=-Xmx",
      L"jvmuserarg.1.value=",
      L"jvmuserarg.2.name=-Dk=a",
      L"jvmuserarg.2.value=b=c",
      L"jvmuserarg.3.name=-Dalone",
      L"arg.1=",
      L"arg.2=-sign",
      L"arg.3=x=y",
  });
  EXPECT_EQ((Entries{{L"-Xss1m", L""}}), EntriesOf(ReadLegacyJvmArgs(properties)));
  // User option names and values are taken as they are, without splitting.
  EXPECT_EQ((Entries{{L"-Dk=a", L"b=c"}}), EntriesOf(ReadLegacyJvmUserArgs(properties)));
  EXPECT_EQ((Lines{L"-sign", L"x=y"}), ReadLegacyArgs(properties));
}

TEST(LegacyConfigTest, ConvertsApplicationKeysAndListsIntoSections) {
  ScratchFolder scratch;
  scratch.Write(L"flat.cfg",
                "# flat package configuration\n"
                "app.splash=splash.png\n"
                "app.name=Tool\n"
                "app.version=1.0\n"
                "app.mainjar=tool.jar\n"
                "unrelated=1\n"
                "jvmarg.1=-Dfile.encoding=UTF-8\n"
                "jvmarg.2=-Xmx1g\n"
                "jvmuserarg.1.name=-Xms\n"
                "jvmuserarg.1.value=64m\n"
                "arg.1=a=b\n"
                "arg.2=-batch\n");
  IniFile target;
  ConvertLegacyConfig(scratch / L"flat.cfg", target);
  EXPECT_EQ((Sections{
                {L"Application", {{L"app.mainjar", L"tool.jar"}, {L"app.name", L"Tool"}, {L"app.splash", L"splash.png"}}},
                {L"JVMOptions", {{L"-Dfile.encoding", L"UTF-8"}, {L"-Xmx1g", L""}}},
                {L"JVMUserOptions", {{L"-Xms", L"64m"}}},
                {L"ArgOptions", {{L"a", L"b"}, {L"-batch", L""}}},
            }),
            SectionsOf(target));
  OrderedTable arguments;
  target.GetSection(L"ArgOptions", arguments);
  EXPECT_EQ((Lines{L"a=b", L"-batch"}), TableToArgumentList(arguments));
}

TEST(LegacyConfigTest, ListSectionsExistEvenWhenEmptyAndAnUnreadableFileChangesNothing) {
  IniFile target;
  PropertyFile properties = Flat({L"other=1"});
  ConvertLegacyProperties(properties, target);
  EXPECT_EQ((Sections{{L"JVMOptions", {}}, {L"JVMUserOptions", {}}, {L"ArgOptions", {}}}), SectionsOf(target));

  ScratchFolder scratch;
  IniFile untouched;
  untouched.Append(L"A", L"k", L"v");
  ConvertLegacyConfig(scratch / L"missing.cfg", untouched);
  EXPECT_EQ((Sections{{L"A", {{L"k", L"v"}}}}), SectionsOf(untouched));
}

// The way a package with a flat configuration is opened: the file found for the
// executable is not an INI file, so it is converted.
TEST(LegacyConfigTest, FlatPackageConfigurationIsFoundAndConverted) {
  ScratchFolder scratch;
  scratch.Write(L"app\\tool.cfg", "app.mainclass=lv.example.Main\napp.classpath=lib\\a.jar\n");
  TestPlatform platform(scratch / L"tool.exe");
  std::wstring path = platform.FindConfigFile();
  ASSERT_EQ(scratch / L"app\\tool.cfg", path);
  IniFile config;
  ASSERT_FALSE(config.LoadFromFile(path));
  ConvertLegacyConfig(path, config);
  std::wstring value;
  EXPECT_TRUE(config.GetValue(L"Application", L"app.mainclass", value));
  EXPECT_EQ(L"lv.example.Main", value);
  EXPECT_TRUE(config.GetValue(L"Application", L"app.classpath", value));
  EXPECT_EQ(L"lib\\a.jar", value);
}

}  // namespace
