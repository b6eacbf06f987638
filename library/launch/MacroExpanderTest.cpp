#include "launch/MacroExpander.h"

#include <gtest/gtest.h>

namespace {

MacroExpander PackageMacros() {
  MacroExpander macros;
  macros.AddMacro(L"$APPDIR", L"C:\\P");
  macros.AddMacro(L"$APPDATADIR", L"C:\\U\\Roaming");
  macros.AddMacro(L"$CACHEDIR", L"$APPDATADIR\\tool\\cache");
  return macros;
}

TEST(MacroExpanderTest, ExpandsEveryOccurrenceOfEveryMacro) {
  struct Case {
    const wchar_t* text;
    const wchar_t* expanded;
  };
  const Case kCases[] = {
      {L"$APPDIR\\runtime", L"C:\\P\\runtime"},
      {L"$appdir\\runtime", L"$appdir\\runtime"},
      {L"$APPDIRX", L"C:\\PX"},
      {L"$APPDATADIR\\x;$APPDIR\\y", L"C:\\U\\Roaming\\x;C:\\P\\y"},
      {L"$APPDIR;$APPDIR;$APPDIR", L"C:\\P;C:\\P;C:\\P"},
      {L"$CACHEDIR\\app.jsa", L"C:\\U\\Roaming\\tool\\cache\\app.jsa"},
      {L"-Xmx512m", L"-Xmx512m"},
      {L"$", L"$"},
      {L"", L""},
  };
  MacroExpander macros = PackageMacros();
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.text);
    EXPECT_EQ(c.expanded, macros.ExpandMacros(c.text));
  }
}

// Name order puts a name before every longer name it begins, so "$A" wins over
// "$AB" inside "$AB".
TEST(MacroExpanderTest, FirstMatchingNameInNameOrderWins) {
  MacroExpander macros;
  macros.AddMacro(L"$AB", L"long");
  macros.AddMacro(L"$A", L"short");
  EXPECT_EQ(L"shortB", macros.ExpandMacros(L"$AB"));
}

TEST(MacroExpanderTest, FirstRegisteredValueStaysAndEmptyNamesAreIgnored) {
  MacroExpander macros;
  macros.AddMacro(L"$APPDIR", L"first");
  macros.AddMacro(L"$APPDIR", L"second");
  macros.AddMacro(L"", L"nothing");
  EXPECT_EQ(L"first", macros.ExpandMacros(L"$APPDIR"));
  EXPECT_EQ(L"x", macros.ExpandMacros(L"x"));
}

// An install folder named like a macro brings the name back with every round.
TEST(MacroExpanderTest, ValueHoldingItsOwnNameStopsAtTheBound) {
  MacroExpander growing;
  growing.AddMacro(L"$APPDIR", L"C:\\$APPDIR");
  std::wstring grown = growing.ExpandMacros(L"$APPDIR\\app");
  EXPECT_EQ(0u, grown.find(L"C:\\C:\\C:\\"));
  EXPECT_NE(std::wstring::npos, grown.find(L"$APPDIR\\app"));

  MacroExpander doubling;
  doubling.AddMacro(L"$APPDIR", L"C:\\$APPDIR\\$APPDIR");
  EXPECT_LT(doubling.ExpandMacros(L"$APPDIR").size(), 4u * 1024 * 1024);
}

}  // namespace
