#include "jvm/JvmOptionList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/MacroExpander.h"

namespace {

std::vector<std::string> Texts(JvmOptionList& list) {
  JavaVMOption* options = list.BuildOptionArray();
  std::vector<std::string> texts;
  for (size_t i = 0; i < list.GetCount(); ++i) {
    EXPECT_EQ(nullptr, options[i].extraInfo);
    texts.push_back(options[i].optionString);
  }
  return texts;
}

TEST(JvmOptionListTest, JoinsEachEntryInOrderOfAdding) {
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    const char* text;
  };
  const Case kCases[] = {
      {L"-Dx", L"1", "-Dx=1"},
      {L"-Xss2m", L"", "-Xss2m"},
      {L"", L"", ""},
      {L"", L"v", "=v"},
      {L"-Dcity", L"Rīga Москва", "-Dcity=R\xC4\xAB" "ga \xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"},
  };
  JvmOptionList list;
  std::vector<std::string> expected;
  for (const Case& c : kCases) {
    list.AddOption(c.name, c.value);
    expected.push_back(c.text);
  }
  EXPECT_EQ(expected, Texts(list));
}

TEST(JvmOptionListTest, TableEntriesKeepTheirOrderAndRepeatedKeys) {
  OrderedTable table;
  table.Append(L"-Dx", L"1");
  table.Append(L"-Xmx512m", L"");
  table.Append(L"-Dx", L"2");
  JvmOptionList list;
  list.AddOption(L"-Dfirst", L"");
  list.AddOptions(table);
  EXPECT_EQ((std::vector<std::string>{"-Dfirst", "-Dx=1", "-Xmx512m", "-Dx=2"}), Texts(list));
}

TEST(JvmOptionListTest, EmptyListGivesAnArrayOfNoOptions) {
  JvmOptionList list;
  EXPECT_NE(nullptr, list.BuildOptionArray());
  EXPECT_EQ(0u, list.GetCount());
}

TEST(JvmOptionListTest, ExpandsMacrosOfTheJoinedText) {
  MacroExpander::GetInstance().AddMacro(L"$OPTIONLISTTESTDIR", L"C:\\pkg\\app");
  JvmOptionList list;
  list.AddOption(L"-Dpath", L"$OPTIONLISTTESTDIR\\lib;$OPTIONLISTTESTDIR");
  EXPECT_EQ((std::vector<std::string>{"-Dpath=C:\\pkg\\app\\lib;C:\\pkg\\app"}), Texts(list));
}

}  // namespace
