#include "MenuSelection.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Attributes of the paths a case knows about; every other path cannot be read,
// which also stands for a share that cannot be reached from here.
std::map<std::wstring, DWORD> knownPaths;

DWORD FakeAttributes(const wchar_t* path) {
  auto found = knownPaths.find(path);
  return found == knownPaths.end() ? INVALID_FILE_ATTRIBUTES : found->second;
}

constexpr DWORD kFile = FILE_ATTRIBUTE_ARCHIVE;
constexpr DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD kMissing = INVALID_FILE_ATTRIBUTES;

struct Dropped {
  const wchar_t* path;
  DWORD attributes;
};

struct Case {
  const char* name;
  std::vector<Dropped> dropped;
  std::vector<std::wstring> accepted;
  ItemSwitches switches;  // New, Batch, Sign as eDoc, Sign as PDF, Extract content
};

const Case kCases[] = {
    {"container in upper case", {{L"C:\\x.EDOC", kFile}}, {L"C:\\x.EDOC"}, {1, 0, 1, 0, 1}},
    {"asice container", {{L"C:\\x.asice", kFile}}, {L"C:\\x.asice"}, {1, 0, 1, 0, 1}},
    {"two containers", {{L"C:\\x.asice", kFile}, {L"C:\\y.edoc", kFile}},
     {L"C:\\x.asice", L"C:\\y.edoc"}, {1, 1, 1, 0, 0}},
    {"two PDF files", {{L"C:\\Docs\\a.pdf", kFile}, {L"C:\\Docs\\b.Pdf", kFile}},
     {L"C:\\Docs\\a.pdf", L"C:\\Docs\\b.Pdf"}, {1, 1, 1, 1, 0}},
    {"PDF and text", {{L"C:\\a.pdf", kFile}, {L"C:\\d.txt", kFile}},
     {L"C:\\a.pdf", L"C:\\d.txt"}, {1, 1, 1, 0, 0}},
    {"last dot decides", {{L"C:\\archive.pdf.edoc", kFile}}, {L"C:\\archive.pdf.edoc"},
     {1, 0, 1, 0, 1}},
    {"dot in folder name only", {{L"C:\\a.b\\file", kFile}}, {L"C:\\a.b\\file"}, {1, 0, 1, 0, 0}},
    {"dot in folder name, pdf-like", {{L"C:\\x.pdf\\file", kFile}}, {L"C:\\x.pdf\\file"},
     {1, 0, 1, 0, 0}},
    {"no dot at all", {{L"C:\\README", kFile}}, {L"C:\\README"}, {1, 0, 1, 0, 0}},
    {"one folder", {{L"C:\\Folder", kFolder}}, {L"C:\\Folder"}, {1, 1, 0, 0, 0}},
    {"shortest accepted folder", {{L"C:\\a", kFolder}}, {L"C:\\a"}, {1, 1, 0, 0, 0}},
    {"share root", {{L"\\\\server\\share", kFolder}}, {L"\\\\server\\share"}, {1, 1, 0, 0, 0}},
    {"short path after two backslashes", {{L"\\\\s", kFolder}}, {L"\\\\s"}, {1, 1, 0, 0, 0}},
    {"folder and file", {{L"C:\\Folder", kFolder}, {L"C:\\a.pdf", kFile}},
     {L"C:\\Folder", L"C:\\a.pdf"}, {0, 0, 0, 0, 0}},
    {"two folders", {{L"C:\\One", kFolder}, {L"C:\\Two", kFolder}}, {L"C:\\One", L"C:\\Two"},
     {0, 0, 0, 0, 0}},
    {"drive root is left out", {{L"C:\\", kFolder}, {L"C:\\Folder", kFolder}}, {L"C:\\Folder"},
     {1, 1, 0, 0, 0}},
    {"unreadable item is left out", {{L"C:\\gone.pdf", kMissing}, {L"C:\\a.pdf", kFile}},
     {L"C:\\a.pdf"}, {1, 0, 1, 1, 0}},
    {"a PDF among unreadable ones still counts alone",
     {{L"C:\\a.pdf", kFile}, {L"\\\\server\\unreachable.edoc", kMissing}}, {L"C:\\a.pdf"},
     {1, 0, 1, 1, 0}},
};

TEST(MenuSelectionTest, SelectionRulesDecideItemsAndAcceptedPaths) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    knownPaths.clear();
    std::vector<std::wstring> dropped;
    for (const Dropped& item : c.dropped) {
      dropped.push_back(item.path);
      if (item.attributes != kMissing) knownPaths[item.path] = item.attributes;
    }
    MenuSelection selection = ClassifySelection(dropped, FakeAttributes);
    EXPECT_EQ(c.accepted, selection.selectedPaths);
    EXPECT_EQ(c.switches, selection.itemSwitches);
  }
}

TEST(MenuSelectionTest, DriveRootAloneLeavesNothingSelected) {
  knownPaths = {{L"C:\\", kFolder}};
  EXPECT_TRUE(ClassifySelection({L"C:\\"}, FakeAttributes).selectedPaths.empty());
}

TEST(MenuItemsTest, OnlyExactLatvianAndRussianIdsTranslate) {
  const struct {
    LANGID id;
    MenuLanguage language;
  } kLanguages[] = {
      {0x0426, MenuLanguage::Latvian}, {0x0419, MenuLanguage::Russian},
      {0x0409, MenuLanguage::English}, {0x0809, MenuLanguage::English},
      {0x0026, MenuLanguage::English}, {0x0819, MenuLanguage::English},
      {0x0000, MenuLanguage::English},
  };
  for (const auto& c : kLanguages) {
    SCOPED_TRACE(testing::Message() << std::hex << c.id);
    EXPECT_EQ(c.language, MenuLanguageFor(c.id));
  }
}

}  // namespace
