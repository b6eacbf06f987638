// Drives the registered handler through COM as Explorer does, on real files.
#include <gtest/gtest.h>

#include <memory>

#include "SelectedObject.h"
#include "fixtures/ShellHost.h"
#include "fixtures/TestSupport.h"
#include "platform/WindowsHandles.h"

namespace {

constexpr UINT kFirstId = 100;

class ContextMenuTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    registration = std::make_unique<RegistrationScope>(RegistrationScope::Scope::Machine);
  }
  static void TearDownTestSuite() { registration.reset(); }

  void SetUp() override {
    ASSERT_EQ(0u, registration->RegisterExitCode());
    ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ASSERT_HRESULT_SUCCEEDED(handler.Create());
  }
  void TearDown() override {
    handler = HandlerDriver();
    ::CoUninitialize();
  }

  // Puts the submenu between two items of a menu of our own and reads it back.
  HRESULT Query(UINT flags, std::vector<MenuEntry>& top, std::vector<MenuEntry>& items) {
    UniqueMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, 1, L"Open");
    ::AppendMenuW(menu.get(), MF_STRING, 2, L"Properties");
    HRESULT hr = handler.Menu()->QueryContextMenu(menu.get(), 1, kFirstId, kFirstId + 50, flags);
    top = ReadMenuEntries(menu.get());
    items.clear();
    if (top.size() == 3 && top[1].submenu != nullptr) items = ReadMenuEntries(top[1].submenu);
    return hr;
  }

  static std::unique_ptr<RegistrationScope> registration;
  HandlerDriver handler;
  ScratchDirectory scratch;
};

std::unique_ptr<RegistrationScope> ContextMenuTest::registration;

struct SelectionCase {
  const char* name;
  std::vector<std::wstring> names;  // below the scratch folder, or absolute
  std::vector<UINT> offsets;        // shown items; empty when Initialize refuses
};

TEST_F(ContextMenuTest, SelectionsGiveTheirItemsWithGapsInTheIds) {
  scratch.File(L"x.EDOC");
  scratch.File(L"c.asice");
  scratch.File(L"a.pdf");
  scratch.File(L"b.PDF");
  scratch.File(L"d.txt");
  scratch.Folder(L"one");
  scratch.Folder(L"two");
  scratch.Folder(L"a.b");
  scratch.File(L"a.b\\file");
  const SelectionCase kCases[] = {
      {"one container", {L"x.EDOC"}, {0, 2, 4}},
      {"asice container", {L"c.asice"}, {0, 2, 4}},
      {"two PDF files", {L"a.pdf", L"b.PDF"}, {0, 1, 2, 3}},
      {"PDF and text", {L"a.pdf", L"d.txt"}, {0, 1, 2}},
      {"one folder", {L"one"}, {0, 1}},
      {"folder with file", {L"one", L"a.pdf"}, {}},
      {"two folders", {L"one", L"two"}, {}},
      {"drive root", {L"C:\\"}, {}},
      {"dot only in the folder name", {L"a.b\\file"}, {0, 2}},
      {"missing file left out", {L"gone.pdf", L"a.pdf"}, {0, 2, 3}},
      {"nothing readable", {L"gone.pdf"}, {}},
  };
  for (const SelectionCase& c : kCases) {
    SCOPED_TRACE(c.name);
    std::vector<std::wstring> paths;
    for (const std::wstring& name : c.names) {
      paths.push_back(name.find(L':') != std::wstring::npos ? name : scratch.Path() + L"\\" + name);
    }
    HRESULT expected = c.offsets.empty() ? E_INVALIDARG : S_OK;
    ASSERT_EQ(expected, handler.Initialize(paths));
    if (c.offsets.empty()) continue;
    std::vector<MenuEntry> top, items;
    HRESULT hr = Query(CMF_NORMAL, top, items);
    EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, c.offsets.back() + 1), hr);
    ASSERT_EQ(c.offsets.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(kFirstId + c.offsets[i], items[i].id);
      EXPECT_EQ(0u, items[i].type & (MFT_SEPARATOR | MFT_BITMAP));
    }
  }
}

TEST_F(ContextMenuTest, PathLengthLimitIsTwoHundredFiftyNineCharacters) {
  std::size_t room = 259 - scratch.Path().size() - 1;
  std::wstring longest = scratch.File(std::wstring(room - 4, L'p') + L".pdf");
  std::wstring tooLong = scratch.File(std::wstring(room - 3, L'q') + L".pdf");
  ASSERT_EQ(259u, longest.size());
  ASSERT_EQ(260u, tooLong.size());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(tooLong.c_str()));
  EXPECT_EQ(E_INVALIDARG, handler.Initialize({tooLong}));
  ASSERT_EQ(S_OK, handler.Initialize({tooLong, longest}));
  std::vector<MenuEntry> top, items;
  EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 4), Query(CMF_NORMAL, top, items));
  EXPECT_EQ(3u, items.size());  // one PDF: New, Sign as eDoc, Sign as PDF
}

TEST_F(ContextMenuTest, SubmenuSitsAtTheGivenPositionWithPictures) {
  ASSERT_EQ(S_OK, handler.Initialize({scratch.File(L"x.edoc")}));
  std::vector<MenuEntry> top, items;
  ASSERT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 5), Query(CMF_NORMAL, top, items));
  ASSERT_EQ(3u, top.size());
  EXPECT_EQ(L"Open", top[0].text);
  EXPECT_EQ(L"Quendra 3.0", top[1].text);
  EXPECT_EQ(L"Properties", top[2].text);
  EXPECT_EQ(kFirstId, top[1].id);
  ASSERT_NE(nullptr, top[1].submenu);
  EXPECT_NE(nullptr, top[1].uncheckedBitmap);
  EXPECT_EQ(nullptr, top[1].checkedBitmap);
  ASSERT_EQ(3u, items.size());
  for (const MenuEntry& item : items) {
    EXPECT_EQ(top[1].uncheckedBitmap, item.uncheckedBitmap);
    EXPECT_EQ(nullptr, item.checkedBitmap);
  }
}

// The picture is prepared when the handler is made, so the menu colour is changed
// first: the default one may be the white of the picture's background.
TEST_F(ContextMenuTest, PictureBackgroundTakesTheMenuColour) {
  const COLORREF kMenuColour = RGB(0x12, 0x9C, 0x4E);
  const INT kElement = COLOR_MENU;
  const COLORREF previous = ::GetSysColor(COLOR_MENU);
  ASSERT_TRUE(::SetSysColors(1, &kElement, &kMenuColour));
  HandlerDriver tinted;
  HRESULT created = tinted.Create();
  ::SetSysColors(1, &kElement, &previous);
  ASSERT_HRESULT_SUCCEEDED(created);
  ASSERT_EQ(S_OK, tinted.Initialize({scratch.File(L"x.edoc")}));
  UniqueMenu menu(::CreatePopupMenu());
  ASSERT_HRESULT_SUCCEEDED(tinted.Menu()->QueryContextMenu(menu.get(), 0, kFirstId, kFirstId + 50,
                                                           CMF_NORMAL));
  HBITMAP picture = ReadMenuEntry(menu.get(), 0).uncheckedBitmap;
  ASSERT_NE(nullptr, picture);
  BITMAP shape{};
  ASSERT_NE(0, ::GetObjectW(picture, sizeof(shape), &shape));
  EXPECT_EQ(16, shape.bmWidth);
  EXPECT_EQ(16, shape.bmHeight);
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  SelectedObject selected(dc.get(), picture);
  ASSERT_TRUE(selected.Succeeded());
  EXPECT_EQ(kMenuColour, ::GetPixel(dc.get(), 0, 0));
  EXPECT_EQ(kMenuColour, ::GetPixel(dc.get(), 15, 15));
  int white = 0, drawn = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      COLORREF pixel = ::GetPixel(dc.get(), x, y);
      white += pixel == RGB(255, 255, 255);
      drawn += pixel != kMenuColour;
    }
  }
  EXPECT_EQ(0, white);
  EXPECT_GT(drawn, 40);  // the drawing itself keeps its colours
}

TEST_F(ContextMenuTest, DefaultOnlyAddsNothing) {
  ASSERT_EQ(S_OK, handler.Initialize({scratch.File(L"a.pdf")}));
  std::vector<MenuEntry> top, items;
  EXPECT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0), Query(CMF_DEFAULTONLY, top, items));
  EXPECT_EQ(2u, top.size());
}

TEST_F(ContextMenuTest, FailedInsertionGivesTheWindowsError) {
  ASSERT_EQ(S_OK, handler.Initialize({scratch.File(L"a.pdf")}));
  HMENU destroyed = ::CreatePopupMenu();
  ::DestroyMenu(destroyed);
  // What the system itself reports for this insertion; a failure that leaves no
  // error code must still not come back as success.
  MENUITEMINFOW probe{};
  probe.cbSize = sizeof(probe);
  probe.fMask = MIIM_ID;
  ::SetLastError(ERROR_SUCCESS);
  ASSERT_FALSE(::InsertMenuItemW(destroyed, 0, TRUE, &probe));
  DWORD error = ::GetLastError();
  HRESULT expected = error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
  ::SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(expected, handler.Menu()->QueryContextMenu(destroyed, 0, kFirstId, kFirstId + 50,
                                                       CMF_NORMAL));
}

TEST_F(ContextMenuTest, UnreadableSelectionsAreRefused) {
  std::wstring pdf = scratch.File(L"a.pdf");
  EXPECT_EQ(E_INVALIDARG, handler.Init()->Initialize(nullptr, nullptr, nullptr));
  EXPECT_EQ(E_INVALIDARG, handler.Initialize({pdf}, DropDataObject::Offer::Nothing));
  EXPECT_EQ(E_INVALIDARG, handler.Initialize({}, DropDataObject::Offer::DropList));
  EXPECT_EQ(E_INVALIDARG, handler.Initialize({pdf}, DropDataObject::Offer::DiscardedMemory));
}

// Explorer may initialise one handler again; nothing of the first selection remains.
TEST_F(ContextMenuTest, InitializeStartsFromAnEmptySelection) {
  ASSERT_EQ(S_OK, handler.Initialize({scratch.File(L"a.pdf"), scratch.File(L"b.pdf")}));
  ASSERT_EQ(E_INVALIDARG, handler.Initialize({scratch.Folder(L"one"), scratch.Folder(L"two")}));
  std::vector<MenuEntry> top, items;
  ASSERT_HRESULT_SUCCEEDED(Query(CMF_NORMAL, top, items));
  EXPECT_TRUE(items.empty());
}

TEST_F(ContextMenuTest, CommandStringsAreNotOffered) {
  char name[64] = {};
  for (UINT type : {GCS_VERBA, GCS_VERBW, GCS_HELPTEXTA, GCS_HELPTEXTW, GCS_VALIDATEA}) {
    EXPECT_EQ(E_INVALIDARG, handler.Menu()->GetCommandString(0, type, nullptr, name, 64));
  }
}

class InvokeCommandTest : public ContextMenuTest {
 protected:
  void SetUp() override {
    ContextMenuTest::SetUp();
    recordFile = scratch.Path() + L"\\record.txt";
    ::SetEnvironmentVariableW(L"QUENDRA_COMMAND_RECORD", recordFile.c_str());
  }
  void TearDown() override {
    ::SetEnvironmentVariableW(L"QUENDRA_COMMAND_RECORD", nullptr);
    ContextMenuTest::TearDown();
  }
  std::vector<std::wstring> Recorded() { return WaitForRecordedArguments(recordFile, 15000); }

  InstallationRecordScope installation;
  std::wstring recordFile;
};

TEST_F(InvokeCommandTest, EveryOffsetStartsTheProgramWithItsFlagAndThePaths) {
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, FixtureDirectory());
  std::wstring first = scratch.File(L"with blank.pdf");
  std::wstring second = scratch.File(L"a.pdf");
  ASSERT_EQ(S_OK, handler.Initialize({first, second}));
  const wchar_t* const kFlags[] = {L"-new", L"-batch", L"-sign", L"-signpdf", L"-export"};
  for (UINT offset = 0; offset < 5; ++offset) {
    SCOPED_TRACE(offset);
    ::DeleteFileW(recordFile.c_str());
    ASSERT_EQ(S_OK, handler.Invoke(offset));
    EXPECT_EQ((std::vector<std::wstring>{kFlags[offset], first, second}), Recorded());
  }
}

TEST_F(InvokeCommandTest, UserRecordAloneIsEnoughForAFolder) {
  InstallationRecordScope::Write(HKEY_CURRENT_USER, FixtureDirectory());
  std::wstring folder = scratch.Folder(L"My Folder");
  ASSERT_EQ(S_OK, handler.Initialize({folder}));
  ASSERT_EQ(S_OK, handler.Invoke(1));
  EXPECT_EQ((std::vector<std::wstring>{L"-batch", folder}), Recorded());
}

TEST_F(InvokeCommandTest, FolderEndingInABackslashArrivesAsSelected) {
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, FixtureDirectory());
  std::wstring folder = scratch.Folder(L"dir") + L"\\";
  ASSERT_EQ(S_OK, handler.Initialize({folder}));
  ASSERT_EQ(S_OK, handler.Invoke(1));
  EXPECT_EQ((std::vector<std::wstring>{L"-batch", folder}), Recorded());
}

// The command line holds the program's path in quotes and a blank before the
// parameters, and its terminator after them.
TEST_F(InvokeCommandTest, SelectionFillingOneCommandLineStartsAndOneCharacterMoreDoesNot) {
  std::wstring folder = FixtureDirectory();
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, folder);
  const std::size_t capacity = 32767 - (folder.size() + 12) - 2 - 1 - 1;
  for (std::size_t length : {capacity, capacity + 1}) {
    SCOPED_TRACE(length);
    ::DeleteFileW(recordFile.c_str());
    std::vector<std::wstring> paths = PathsFillingParameters(scratch.Path(), L"-new", length);
    for (const std::wstring& path : paths) scratch.File(path.substr(scratch.Path().size() + 1));
    ASSERT_EQ(S_OK, handler.Initialize(paths));
    if (length == capacity) {
      ASSERT_EQ(S_OK, handler.Invoke(0));
      paths.insert(paths.begin(), L"-new");
      EXPECT_EQ(paths, Recorded());
    } else {
      EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE), handler.Invoke(0));
      EXPECT_TRUE(WaitForRecordedArguments(recordFile, 3000).empty());
    }
  }
}

TEST_F(InvokeCommandTest, StringVerbsAndUnknownOffsetsAreRefused) {
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, FixtureDirectory());
  ASSERT_EQ(S_OK, handler.Initialize({scratch.File(L"a.pdf")}));
  static const char kVerb[] = "open";
  for (UINT_PTR verb : {UINT_PTR{5}, UINT_PTR{0xFFFF}, reinterpret_cast<UINT_PTR>(kVerb),
                        UINT_PTR{0x10000}, UINT_PTR{0x100000002}}) {
    SCOPED_TRACE(testing::Message() << std::hex << verb);
    EXPECT_EQ(E_INVALIDARG, handler.Invoke(verb));
  }
  EXPECT_EQ(E_INVALIDARG, handler.Menu()->InvokeCommand(nullptr));
  EXPECT_TRUE(WaitForRecordedArguments(recordFile, 500).empty());
}

TEST_F(InvokeCommandTest, FailedStartIsNotReported) {
  std::wstring folder = FixtureDirectory();
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, folder.substr(0, folder.size() - 1));
  ASSERT_EQ(S_OK, handler.Initialize({scratch.File(L"a.pdf")}));
  EXPECT_EQ(S_OK, handler.Invoke(0));
  EXPECT_TRUE(WaitForRecordedArguments(recordFile, 1000).empty());
}

TEST_F(InvokeCommandTest, MissingInstallationRecordIsRefused) {
  ASSERT_EQ(S_OK, handler.Initialize({scratch.File(L"a.pdf")}));
  EXPECT_EQ(E_INVALIDARG, handler.Invoke(0));
  EXPECT_TRUE(WaitForRecordedArguments(recordFile, 500).empty());
}

}  // namespace
