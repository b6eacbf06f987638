#include "config/OptionText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/OrderedTable.h"

namespace {

TEST(OptionTextTest, SplitNameValue) {
  struct Case {
    const wchar_t* line;
    const wchar_t* key;
    const wchar_t* value;
  };
  const Case kCases[] = {
      {L"-Dfile.encoding=UTF-8", L"-Dfile.encoding", L"UTF-8"},
      {L"-Xmx512m", L"-Xmx512m", L""},
      {L"a\\=b=c=d", L"a=b", L"c=d"},
      {L"x\\\\y=1", L"x\\y", L"1"},
      {L"a\\b=1", L"ab", L"1"},
      {L"--add-exports=java.base/sun.nio.ch=ALL-UNNAMED", L"--add-exports=java.base/sun.nio.ch=ALL-UNNAMED", L""},
      {L"--add-exports\\=x", L"--add-exports\\=x", L""},
      {L"k = v", L"k ", L" v"},
      {L"=v", L"", L"v"},
      {L"=", L"", L""},
      {L"", L"", L""},
      {L"key\\", L"key", L""},
      {L"p=C:\\dir\\=x", L"p", L"C:\\dir\\=x"},
      {L"\\;x=1", L";x", L"1"},
      {L"a\\\\=b", L"a\\", L"b"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.line);
    KeyValue result = SplitNameValue(c.line);
    EXPECT_EQ(c.key, result.key);
    EXPECT_EQ(c.value, result.value);
  }
}

TEST(OptionTextTest, ReplaceAll) {
  struct Case {
    const wchar_t* text;
    const wchar_t* search;
    const wchar_t* replacement;
    const wchar_t* expected;
  };
  const Case kCases[] = {
      {L"aaa", L"a", L"aa", L"aaaaaa"},
      {L"aaaa", L"aa", L"b", L"bb"},
      {L"$APPDIR\\lib;$APPDIR", L"$APPDIR", L"C:\\p", L"C:\\p\\lib;C:\\p"},
      {L"abc", L"x", L"y", L"abc"},
      {L"abc", L"b", L"", L"ac"},
      {L"", L"a", L"b", L""},
      {L"abc", L"", L"x", L"abc"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.text << " / " << c.search << " / " << c.replacement);
    EXPECT_EQ(c.expected, ReplaceAll(c.text, c.search, c.replacement));
  }
}

TEST(OptionTextTest, SeparatorsToSlashes) {
  EXPECT_EQ(L"com/example/Main", SeparatorsToSlashes(L"com.example.Main"));
  EXPECT_EQ(L"com/example/Main", SeparatorsToSlashes(L"com\\example\\Main"));
  EXPECT_EQ(L"a/b/c/", SeparatorsToSlashes(L"a.b\\c/"));
}

TEST(OptionTextTest, JoinNameValueAndTableToArgumentList) {
  EXPECT_EQ(L"-Xmx1g", JoinNameValue(L"-Xmx1g", L""));
  EXPECT_EQ(L"-Dk=v=w", JoinNameValue(L"-Dk", L"v=w"));
  EXPECT_EQ(L"=v", JoinNameValue(L"", L"v"));

  OrderedTable table;
  table.Append(L"a", L"1");
  table.Append(L"b", L"");
  table.Append(L"a", L"2");
  EXPECT_EQ((std::vector<std::wstring>{L"a=1", L"b", L"a=2"}), TableToArgumentList(table));
  EXPECT_TRUE(TableToArgumentList(OrderedTable()).empty());
}

}  // namespace
