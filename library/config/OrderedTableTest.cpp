#include "config/OrderedTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "config/ConfigDescription.h"

namespace {

OrderedTable TableOf(const Entries& entries, bool allowDuplicates = false) {
  OrderedTable table;
  table.SetAllowDuplicates(allowDuplicates);
  for (const auto& [key, value] : entries) table.Append(key, value);
  return table;
}

TEST(OrderedTableTest, FirstEntryOfARepeatedKeyWinsLookups) {
  OrderedTable table = TableOf({{L"a", L"1"}, {L"b", L"x"}, {L"a", L"2"}});
  EXPECT_EQ(3u, table.Count());
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"a"}), table.GetKeys());
  std::wstring value;
  EXPECT_TRUE(table.GetValue(L"a", value));
  EXPECT_EQ(L"1", value);
  EXPECT_EQ(L"1", table.ValueOf(L"a"));
  EXPECT_TRUE(table.ContainsKey(L"b"));
}

TEST(OrderedTableTest, SetValueReplacesFirstEntryInPlaceUnlessDuplicatesAreAllowed) {
  struct Case {
    bool allowDuplicates;
    Entries expected;
  };
  const Case kCases[] = {
      {false, {{L"a", L"3"}, {L"z", L"0"}, {L"a", L"2"}, {L"new", L"n"}}},
      {true, {{L"a", L"1"}, {L"z", L"0"}, {L"a", L"2"}, {L"a", L"3"}, {L"new", L"n"}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "allowDuplicates " << c.allowDuplicates);
    OrderedTable table = TableOf({{L"a", L"1"}, {L"z", L"0"}, {L"a", L"2"}}, c.allowDuplicates);
    EXPECT_TRUE(table.SetValue(L"a", L"3"));
    EXPECT_TRUE(table.SetValue(L"new", L"n"));
    EXPECT_EQ(c.expected, EntriesOf(table));
  }
}

TEST(OrderedTableTest, AbsentKeyChangesNeitherTableNorOutValue) {
  OrderedTable table = TableOf({{L"a", L"1"}});
  std::wstring value = L"before";
  EXPECT_FALSE(table.GetValue(L"b", value));
  EXPECT_EQ(L"before", value);
  EXPECT_FALSE(table.ContainsKey(L"b"));
  try {
    table.ValueOf(L"b");
    ADD_FAILURE() << "ValueOf of an absent key returned";
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ("Key not found", error.what());
  }
  EXPECT_FALSE(table.ContainsKey(L"b"));
  EXPECT_EQ(1u, table.Count());
}

TEST(OrderedTableTest, KeysAreComparedExactly) {
  OrderedTable table = TableOf({{L"Key", L"1"}, {L"key", L"2"}, {L"key ", L"3"}, {L"", L"empty"}});
  struct Case {
    const wchar_t* key;
    const wchar_t* value;
  };
  const Case kCases[] = {{L"Key", L"1"}, {L"key", L"2"}, {L"key ", L"3"}, {L"", L"empty"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << '"' << c.key << '"');
    std::wstring value;
    EXPECT_TRUE(table.GetValue(c.key, value));
    EXPECT_EQ(c.value, value);
  }
  EXPECT_FALSE(table.ContainsKey(L" key"));
  EXPECT_FALSE(table.ContainsKey(L"KEY"));
}

TEST(OrderedTableTest, ValueOfIsWritableInPlace) {
  OrderedTable table = TableOf({{L"a", L"1"}, {L"a", L"2"}});
  table.ValueOf(L"a") = L"changed";
  EXPECT_EQ((Entries{{L"a", L"changed"}, {L"a", L"2"}}), EntriesOf(table));
}

TEST(OrderedTableTest, AppendTableKeepsEveryEntryWhateverTheSetting) {
  OrderedTable table = TableOf({{L"x", L"0"}});
  table.AppendTable(TableOf({{L"x", L"1"}, {L"x", L"2"}}));
  EXPECT_EQ((Entries{{L"x", L"0"}, {L"x", L"1"}, {L"x", L"2"}}), EntriesOf(table));
  EXPECT_EQ(L"0", table.ValueOf(L"x"));

  table.AppendTable(table);
  EXPECT_EQ(6u, table.Count());
  EXPECT_EQ(L"0", table.ValueOf(L"x"));
}

TEST(OrderedTableTest, ClearEmptiesEntriesAndIndexButKeepsTheSetting) {
  OrderedTable table = TableOf({{L"a", L"1"}, {L"b", L"2"}}, true);
  table.Clear();
  EXPECT_EQ(0u, table.Count());
  EXPECT_FALSE(table.ContainsKey(L"a"));
  EXPECT_TRUE(table.GetAllowDuplicates());
  table.Append(L"b", L"new");
  EXPECT_EQ(L"new", table.ValueOf(L"b"));
  EXPECT_EQ((Entries{{L"b", L"new"}}), EntriesOf(table));
}

TEST(OrderedTableTest, CopyIsAnIndependentTableWithTheSameEntries) {
  OrderedTable original = TableOf({{L"a", L"1"}, {L"a", L"2"}}, true);
  OrderedTable copy(original);
  OrderedTable assigned;
  assigned = original;
  original.SetValue(L"a", L"3");
  original.ValueOf(L"a") = L"changed";
  for (const OrderedTable* table : {&copy, &assigned}) {
    EXPECT_EQ((Entries{{L"a", L"1"}, {L"a", L"2"}}), EntriesOf(*table));
    EXPECT_FALSE(table->GetAllowDuplicates());
  }
}

// The section list of an INI file holds owned objects; the index must keep
// finding the first entry as the table grows.
TEST(OrderedTableTest, HoldsMoveOnlyValues) {
  OrderedTableOf<std::unique_ptr<int>> table;
  for (int i = 0; i < 100; ++i) table.Append(std::to_wstring(i % 10), std::make_unique<int>(i));
  EXPECT_EQ(100u, table.Count());
  ASSERT_NE(nullptr, table.Find(L"7"));
  EXPECT_EQ(7, **table.Find(L"7"));
  EXPECT_EQ(nullptr, table.Find(L"10"));
}

}  // namespace
