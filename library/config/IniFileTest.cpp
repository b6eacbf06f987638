#include "config/IniFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "config/ConfigDescription.h"
#include "config/ScratchFolder.h"

namespace {

using Lines = std::vector<std::wstring>;

Sections Read(const Lines& lines) {
  IniFile file;
  EXPECT_TRUE(file.LoadFromLines(lines));
  return SectionsOf(file);
}

TEST(IniFileTest, OnlyAFileWhoseFirstNonCommentLineOpensASectionIsRead) {
  struct Case {
    Lines lines;
    bool isIni;
  };
  const Case kCases[] = {
      {{}, false},
      {{L";only a comment"}, false},
      {{L"x=1", L"[A]", L"y=2"}, false},
      {{L" [A]", L"y=2"}, false},
      {{L"\uFEFF[A]", L"y=2"}, false},
      {{L";comment", L"[A]", L"y=2"}, true},
      {{L"[A", L"y=2"}, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "first line " << (c.lines.empty() ? L"(none)" : c.lines[0]));
    IniFile file;
    file.Append(L"Kept", L"k", L"v");
    EXPECT_EQ(c.isIni, file.LoadFromLines(c.lines));
    if (!c.isIni) {
      EXPECT_EQ((Sections{{L"Kept", {{L"k", L"v"}}}}), SectionsOf(file));
    }
  }
}

TEST(IniFileTest, RepeatedHeaderContinuesTheEarlierSectionInItsPlace) {
  EXPECT_EQ((Sections{{L"A", {{L"x", L"1"}, {L"z", L"3"}}}, {L"B", {{L"y", L"2"}}}}),
            Read({L"[A]", L"x=1", L"[B]", L"y=2", L"[A]", L"z=3"}));
}

TEST(IniFileTest, EntriesKeepFileOrderAndEveryRepeat) {
  EXPECT_EQ((Sections{{L"J", {{L"-Xmx1g", L""}, {L"-Xmx2g", L""}, {L"-Xmx1g", L""}}}}),
            Read({L"[J]", L"-Xmx1g", L"-Xmx2g", L"-Xmx1g"}));
}

TEST(IniFileTest, LinesAreTakenExactlyAsTheFormatSays) {
  Lines lines = {
      L"[A",       L"before=ignored",  // not a header: still outside any section
      L"[]",       L"unnamed=ignored",
      L"[Empty]",  // a header alone makes no section
      L"[ S ]",    L"[T] x=1",  L" k = v ", L";comment", L"a\\=b=c", L"a=b=c", L"x\\\\y=1",
      L"--add-exports=m/p=ALL-UNNAMED",
  };
  EXPECT_EQ((Sections{{L" S ",
                       {{L"[T] x", L"1"},
                        {L" k ", L" v "},
                        {L"a=b", L"c"},
                        {L"a", L"b=c"},
                        {L"x\\y", L"1"},
                        {L"--add-exports=m/p=ALL-UNNAMED", L""}}}}),
            Read(lines));
}

TEST(IniFileTest, SetValueAddsOrReplacesAsTheSectionCameIntoBeing) {
  IniFile file;
  ASSERT_TRUE(file.LoadFromLines({L"[Read]", L"k=1"}));
  EXPECT_TRUE(file.SetValue(L"Read", L"k", L"2"));
  EXPECT_FALSE(file.SetValue(L"Missing", L"k", L"1"));
  EXPECT_TRUE(file.SetValue(L"Missing", L"k", L"2"));
  OrderedTable given;
  given.Append(L"k", L"1");
  given.Append(L"k", L"1b");
  file.AppendSection(L"Given", given);
  EXPECT_TRUE(file.SetValue(L"Given", L"k", L"2"));
  file.AppendSection(L"Given", given);

  EXPECT_EQ((Sections{{L"Read", {{L"k", L"1"}, {L"k", L"2"}}},
                      {L"Missing", {{L"k", L"1"}, {L"k", L"2"}}},
                      {L"Given", {{L"k", L"2"}, {L"k", L"1b"}, {L"k", L"1"}, {L"k", L"1b"}}}}),
            SectionsOf(file));
  std::wstring value;
  EXPECT_TRUE(file.GetValue(L"Read", L"k", value));
  EXPECT_EQ(L"1", value);
}

TEST(IniFileTest, LookupsOfAbsentSectionsLeaveTheirOutputsAlone) {
  IniFile file;
  file.Append(L"A", L"x", L"1");
  std::wstring value = L"before";
  EXPECT_FALSE(file.GetValue(L"B", L"x", value));
  EXPECT_FALSE(file.GetValue(L"A", L"y", value));
  EXPECT_EQ(L"before", value);
  EXPECT_FALSE(file.ContainsSection(L"a"));

  OrderedTable entries;
  entries.Append(L"mine", L"0");
  EXPECT_FALSE(file.GetSection(L"B", entries));
  EXPECT_TRUE(file.GetSection(L"A", entries));
  EXPECT_EQ((Entries{{L"mine", L"0"}, {L"x", L"1"}}), EntriesOf(entries));
}

TEST(IniFileTest, WritesHeaderEntriesAndAnEmptyLinePerSection) {
  IniFile file;
  file.Append(L"Options", L"a=b", L"1");
  file.Append(L"Options", L"-Xmx1g", L"");
  file.AppendSection(L"Empty", OrderedTable());
  file.Append(L"Last", L"k", L"v=w");
  EXPECT_EQ((Lines{L"[Options]", L"a\\=b=1", L"-Xmx1g=", L"", L"[Empty]", L"", L"[Last]", L"k=v=w", L""}),
            file.GetLines());
}

// Keys that the reader would take apart, drop or misread are written so that
// they come back as they were.
TEST(IniFileTest, WrittenKeysComeBackUnchanged) {
  struct Case {
    const wchar_t* key;
    const wchar_t* value;
    const wchar_t* line;
  };
  const Case kCases[] = {
      {L"--add-exports=java.base/sun.nio.ch=ALL-UNNAMED", L"", L"--add-exports=java.base/sun.nio.ch=ALL-UNNAMED"},
      {L"--add-exports", L"java.base/x=ALL-UNNAMED", L"\\--add-exports=java.base/x=ALL-UNNAMED"},
      {L"-Dp", L"a=b\\=c", L"-Dp=a=b\\=c"},
      {L"-Xbootclasspath/a:C:\\lib\\x.jar", L"", L"-Xbootclasspath/a:C:\\\\lib\\\\x.jar="},
      {L"a\\", L"1", L"a\\\\=1"},
      {L";not a comment", L"1", L"\\;not a comment=1"},
      {L"#not dropped", L"1", L"\\#not dropped=1"},
      {L"[not", L"header]", L"\\[not=header]"},
      {L"", L"", L"="},
      {L"k", L"\u00e4\u0161\u0444", L"k=\u00e4\u0161\u0444"},
  };
  ScratchFolder scratch;
  IniFile written;
  Lines expectedLines = {L"[S]"};
  for (const Case& c : kCases) {
    written.Append(L"S", c.key, c.value);
    expectedLines.push_back(c.line);
  }
  expectedLines.push_back(L"");
  EXPECT_EQ(expectedLines, written.GetLines());

  EXPECT_TRUE(written.SaveToFile(scratch / L"user\\jvmuserargs.cfg", true));
  IniFile read;
  ASSERT_TRUE(read.LoadFromFile(scratch / L"user\\jvmuserargs.cfg"));
  EXPECT_EQ(SectionsOf(written), SectionsOf(read));
}

TEST(IniFileTest, LoadsFilesThroughThePlatformAndMergesThem) {
  ScratchFolder scratch;
  scratch.Write(L"first.cfg", "# dropped by the reader\r\n\r\n[A]\r\nx=1\r\n[B]\ny=\xc3\xa4\n");
  scratch.Write(L"second.cfg", "[A]\nz=3\n[C]\nw=4");
  scratch.Write(L"bom.cfg", "\xef\xbb\xbf[A]\nq=1\n");
  IniFile file;
  EXPECT_TRUE(file.LoadFromFile(scratch / L"first.cfg"));
  EXPECT_TRUE(file.LoadFromFile(scratch / L"second.cfg"));
  EXPECT_FALSE(file.LoadFromFile(scratch / L"bom.cfg"));
  EXPECT_FALSE(file.LoadFromFile(scratch / L"missing.cfg"));
  EXPECT_EQ((Sections{{L"A", {{L"x", L"1"}, {L"z", L"3"}}}, {L"B", {{L"y", L"\u00e4"}}}, {L"C", {{L"w", L"4"}}}}),
            SectionsOf(file));
}

// A configuration of `sections` sections of 49 options each.
Lines ManyOptions(int sections) {
  Lines lines;
  for (int section = 0; section < sections; ++section) {
    lines.push_back(L"[Section" + std::to_wstring(section) + L"]");
    for (int key = 0; key < 49; ++key) {
      lines.push_back(L"-Dproperty.number" + std::to_wstring(key) + L"=value" + std::to_wstring(key));
    }
  }
  return lines;
}

// The quickest of a few loads, in microseconds.
long long FastestLoad(const Lines& lines, int runs) {
  auto best = std::chrono::steady_clock::duration::max();
  for (int run = 0; run < runs; ++run) {
    auto start = std::chrono::steady_clock::now();
    IniFile file;
    file.LoadFromLines(lines);
    best = std::min(best, std::chrono::steady_clock::now() - start);
  }
  return std::chrono::duration_cast<std::chrono::microseconds>(best).count();
}

// A package configuration of a few hundred lines is read at every launch. Absolute
// times depend on the machine and on the sanitizers, so the guard compares two
// sizes measured side by side: ten times the lines cost about ten times as much
// natively, up to about thirty times under Wine, whose heap hands out the larger
// tables' memory fresh each time; a quadratic cost would be a hundred times and
// more. A load of 500 lines that takes more than a second is a gross slowdown on
// any machine.
TEST(IniFileTest, LoadTimeGrowsWithTheLinesNotWithTheirSquare) {
  const long long kGrowthBound = 60;
  const long long small = std::max(FastestLoad(ManyOptions(10), 10), 1LL);
  const long long large = FastestLoad(ManyOptions(100), 4);
  const long long growth = large / small;
  std::printf("IniFile load, fastest: 500 lines %lld us, 5000 lines %lld us, growth %lldx "
              "(guard: under %lldx, and 500 lines under 1 s)\n",
              small, large, growth, kGrowthBound);
  EXPECT_LT(growth, kGrowthBound) << "500 lines " << small << " us, 5000 lines " << large << " us";
  EXPECT_LT(small, 1000000);
}

}  // namespace
