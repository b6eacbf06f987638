#include "config/PropertyFile.h"

#include <gtest/gtest.h>

#include <string>

#include "config/ScratchFolder.h"

namespace {

TEST(PropertyFileTest, EveryLineIsAnEntryAndTheFirstOfAKeyWins) {
  ScratchFolder scratch;
  scratch.Write(L"flat.cfg", "# comment\r\na=1\r\n\r\na=2\n-Xmx1g\nk = v\nx\\=y=z\n;semi=1\n[Section]\n");
  PropertyFile file;
  ASSERT_TRUE(file.LoadFromFile(scratch / L"flat.cfg"));
  EXPECT_EQ(7u, file.GetCount());
  struct Case {
    const wchar_t* key;
    const wchar_t* value;
  };
  const Case kCases[] = {
      {L"a", L"1"}, {L"-Xmx1g", L""}, {L"k ", L" v"}, {L"x=y", L"z"}, {L";semi", L"1"}, {L"[Section]", L""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.key);
    std::wstring value = L"unset";
    EXPECT_TRUE(file.GetValue(c.key, value));
    EXPECT_EQ(c.value, value);
  }
}

TEST(PropertyFileTest, SetValueReplacesTheFirstEntryUnlessReadOnly) {
  PropertyFile file;
  ASSERT_TRUE(file.LoadFromLines({L"a=1", L"a=2"}));
  EXPECT_TRUE(file.SetValue(L"a", L"3"));
  EXPECT_TRUE(file.SetValue(L"b", L"4"));
  EXPECT_EQ(3u, file.GetCount());

  file.SetReadOnly(true);
  EXPECT_FALSE(file.SetValue(L"a", L"5"));
  EXPECT_FALSE(file.SetValue(L"c", L"6"));
  std::wstring value;
  EXPECT_TRUE(file.GetValue(L"a", value));
  EXPECT_EQ(L"3", value);
  EXPECT_FALSE(file.GetValue(L"c", value));
  EXPECT_EQ(3u, file.GetCount());

  file.SetReadOnly(false);
  EXPECT_TRUE(file.SetValue(L"c", L"6"));
  EXPECT_EQ(4u, file.GetCount());
}

TEST(PropertyFileTest, FileWithoutLinesLeavesTheObjectUnchanged) {
  ScratchFolder scratch;
  scratch.Write(L"empty.cfg", "");
  scratch.Write(L"comments.cfg", "# one\r\n\r\n#two\n");
  PropertyFile file;
  file.SetValue(L"kept", L"1");
  for (const wchar_t* name : {L"empty.cfg", L"comments.cfg", L"missing.cfg"}) {
    SCOPED_TRACE(testing::Message() << name);
    EXPECT_FALSE(file.LoadFromFile(scratch / name));
    EXPECT_EQ(1u, file.GetCount());
  }
}

}  // namespace
