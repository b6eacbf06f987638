#include "ApplicationStart.h"

#include <gtest/gtest.h>

#include "fixtures/TestSupport.h"
#include "platform/WindowsHandles.h"

namespace {

struct ShownError {
  HWND owner;
  std::wstring text;
  std::wstring caption;
};

struct Started {
  SHELLEXECUTEINFOW info;
  std::wstring file;
  std::wstring parameters;
};

std::vector<ShownError> shownErrors;
std::vector<Started> starts;

void RecordError(HWND owner, const wchar_t* text, const wchar_t* caption) {
  shownErrors.push_back({owner, text, caption});
}

void RecordStart(SHELLEXECUTEINFOW& info) {
  starts.push_back({info, info.lpFile ? info.lpFile : L"", info.lpParameters ? info.lpParameters : L""});
}

const ApplicationStartServices kRecording = {RecordError, RecordStart};
const HWND kOwner = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
const std::vector<std::wstring> kTwoPaths = {L"C:\\Docs\\a.pdf", L"C:\\My Docs\\b.pdf"};
constexpr MenuLanguage kEnglish = MenuLanguage::English;

class ApplicationStartTest : public testing::Test {
 protected:
  void SetUp() override {
    shownErrors.clear();
    starts.clear();
  }
  InstallationRecordScope record;
};

TEST_F(ApplicationStartTest, StartsProgramFromMachineRecordWithQuotedPaths) {
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, L"C:\\Machine\\");
  InstallationRecordScope::Write(HKEY_CURRENT_USER, L"C:\\User\\");
  EXPECT_EQ(S_OK, StartApplication(L"-sign", kOwner, kTwoPaths, kEnglish, kRecording));
  ASSERT_EQ(1u, starts.size());
  const SHELLEXECUTEINFOW& info = starts[0].info;
  EXPECT_EQ(sizeof(SHELLEXECUTEINFOW), info.cbSize);
  EXPECT_EQ(L"C:\\Machine\\quendra3.exe", starts[0].file);
  EXPECT_EQ(L"-sign \"C:\\Docs\\a.pdf\" \"C:\\My Docs\\b.pdf\"", starts[0].parameters);
  EXPECT_EQ(SW_SHOW, info.nShow);
  EXPECT_EQ(0u, info.fMask);
  EXPECT_EQ(nullptr, info.hwnd);
  EXPECT_EQ(nullptr, info.lpVerb);
  EXPECT_EQ(nullptr, info.lpDirectory);
  EXPECT_TRUE(shownErrors.empty());
}

TEST_F(ApplicationStartTest, FallsBackToUserRecordAndGluesFolderToProgramName) {
  InstallationRecordScope::Write(HKEY_CURRENT_USER, L"C:\\NoSlash");
  EXPECT_EQ(S_OK, StartApplication(L"-batch", kOwner, {L"C:\\Folder"}, kEnglish, kRecording));
  ASSERT_EQ(1u, starts.size());
  EXPECT_EQ(L"C:\\NoSlashquendra3.exe", starts[0].file);
  EXPECT_EQ(L"-batch \"C:\\Folder\"", starts[0].parameters);
}

TEST_F(ApplicationStartTest, MissingRecordShowsRegistryErrorAndStartsNothing) {
  // A machine key without the value is not passed over for the user's key.
  WriteString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\quendra3", L"Other", L"x");
  InstallationRecordScope::Write(HKEY_CURRENT_USER, L"C:\\User\\");
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt == 0 ? "machine key without value" : "no key at all");
    shownErrors.clear();
    EXPECT_EQ(E_INVALIDARG, StartApplication(L"-new", kOwner, kTwoPaths, kEnglish, kRecording));
    ASSERT_EQ(1u, shownErrors.size());
    EXPECT_EQ(kOwner, shownErrors[0].owner);
    EXPECT_EQ(L"Failed to read registry value:\r\nHKLM\\SOFTWARE\\quendra3\\Installed",
              shownErrors[0].text);
    EXPECT_EQ(L"Error reading registry", shownErrors[0].caption);
    DeleteKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\quendra3");
    DeleteKey(HKEY_CURRENT_USER, L"SOFTWARE\\quendra3");
  }
  EXPECT_TRUE(starts.empty());
}

TEST_F(ApplicationStartTest, EmptySelectionStartsNothing) {
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, L"C:\\Machine\\");
  EXPECT_EQ(E_INVALIDARG, StartApplication(L"-new", kOwner, {}, kEnglish, kRecording));
  EXPECT_TRUE(starts.empty());
  EXPECT_TRUE(shownErrors.empty());
}

// What the started program reads back from its command line.
std::vector<std::wstring> SplitLikeTheProgram(const std::wstring& parameters) {
  std::wstring line = L"\"C:\\Q\\quendra3.exe\" " + parameters;
  int count = 0;
  UniqueArgumentVector arguments(::CommandLineToArgvW(line.c_str(), &count));
  std::vector<std::wstring> split;
  for (int i = 1; arguments && i < count; ++i) split.push_back(arguments.get()[i]);
  return split;
}

TEST(ParameterTextTest, EveryPathArrivesAsSelected) {
  const struct {
    const wchar_t* path;
    const wchar_t* quoted;
  } kCases[] = {
      {L"C:\\Docs\\a.pdf", L"\"C:\\Docs\\a.pdf\""},
      {L"C:\\My Docs\\b c.pdf", L"\"C:\\My Docs\\b c.pdf\""},
      {L"C:\\Folder", L"\"C:\\Folder\""},
      {L"C:\\dir\\", L"\"C:\\dir\\\\\""},
      {L"C:\\", L"\"C:\\\\\""},
      {L"C:\\two\\\\", L"\"C:\\two\\\\\\\\\""},
      {L"\\\\server\\share", L"\"\\\\server\\share\""},
      {L"\\\\server\\share\\", L"\"\\\\server\\share\\\\\""},
      {L"\\\\server\\share\\doc.edoc", L"\"\\\\server\\share\\doc.edoc\""},
      {L"C:\\Dokumenti\\Līgums ar uzņēmumu.pdf", L"\"C:\\Dokumenti\\Līgums ar uzņēmumu.pdf\""},
      {L"C:\\Документы\\Договор №5\\", L"\"C:\\Документы\\Договор №5\\\\\""},
      // No Windows path holds a quote, but the rule covers one.
      {L"a\\\"b", L"\"a\\\\\\\"b\""},
  };
  std::vector<std::wstring> paths;
  std::wstring expected = L"-sign";
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.path)));
    EXPECT_EQ(std::wstring(L"-sign ") + c.quoted, BuildParameterText(L"-sign", {c.path}));
    EXPECT_EQ((std::vector<std::wstring>{L"-sign", c.path}),
              SplitLikeTheProgram(BuildParameterText(L"-sign", {c.path})));
    paths.push_back(c.path);
    expected += std::wstring(L" ") + c.quoted;
  }
  std::wstring all = BuildParameterText(L"-sign", paths);
  EXPECT_EQ(expected, all);
  paths.insert(paths.begin(), L"-sign");
  EXPECT_EQ(paths, SplitLikeTheProgram(all));
}

// The program path is 23 characters long; the command line holds it in quotes, a
// blank and the terminator besides the parameters.
constexpr std::size_t kMachineCapacity = 32767 - 23 - 2 - 1 - 1;

TEST_F(ApplicationStartTest, ParametersFillingOneCommandLineStartComplete) {
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, L"C:\\Machine\\");
  std::vector<std::wstring> paths = PathsFillingParameters(L"C:\\Docs", L"-new", kMachineCapacity);
  ASSERT_EQ(kMachineCapacity, BuildParameterText(L"-new", paths).size());
  EXPECT_EQ(S_OK, StartApplication(L"-new", kOwner, paths, kEnglish, kRecording));
  ASSERT_EQ(1u, starts.size());
  EXPECT_EQ(BuildParameterText(L"-new", paths), starts[0].parameters);
  EXPECT_TRUE(shownErrors.empty());
}

TEST_F(ApplicationStartTest, SelectionBeyondOneCommandLineIsRefusedInTheUsersLanguage) {
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, L"C:\\Machine\\");
  std::vector<std::wstring> justOver =
      PathsFillingParameters(L"C:\\Docs", L"-new", kMachineCapacity + 1);
  std::vector<std::wstring> many(300, L"C:\\Docs\\" + std::wstring(200, L'x') + L".pdf");
  const struct {
    MenuLanguage language;
    const std::vector<std::wstring>& paths;
    const wchar_t* text;
  } kCases[] = {
      {MenuLanguage::English, justOver,
       L"Too many files are selected. Select fewer files and try again."},
      {MenuLanguage::English, many,
       L"Too many files are selected. Select fewer files and try again."},
      {MenuLanguage::Latvian, many,
       L"Atlasīts pārāk daudz failu. Atlasiet mazāk failu un mēģiniet vēlreiz."},
      {MenuLanguage::Russian, many,
       L"Выбрано слишком много файлов. Выберите меньше файлов и повторите попытку."},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.language) << ", " << c.paths.size()
                                    << " paths");
    shownErrors.clear();
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE),
              StartApplication(L"-new", kOwner, c.paths, c.language, kRecording));
    ASSERT_EQ(1u, shownErrors.size());
    EXPECT_EQ(kOwner, shownErrors[0].owner);
    EXPECT_EQ(c.text, shownErrors[0].text);
    EXPECT_EQ(L"Quendra 3.0", shownErrors[0].caption);
  }
  EXPECT_TRUE(starts.empty());
}

// A relative folder may be made absolute by the shell, so the room left for the
// parameters is judged by the longer, absolute form.
TEST_F(ApplicationStartTest, RelativeFolderIsJudgedByItsFullPath) {
  InstallationRecordScope::Write(HKEY_CURRENT_USER, L"Q\\");
  // Room enough for Q\quendra3.exe as it stands, but not for it below any folder.
  const std::size_t relativeCapacity = 32767 - 14 - 4;
  std::vector<std::wstring> paths = PathsFillingParameters(L"C:\\Docs", L"-new", relativeCapacity);
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE),
            StartApplication(L"-new", nullptr, paths, kEnglish, kRecording));
  EXPECT_EQ(1u, shownErrors.size());
  EXPECT_TRUE(starts.empty());
}

class InstalledValueTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, key.receive(), nullptr));
  }
  void TearDown() override {
    key.reset();
    DeleteKey(HKEY_CURRENT_USER, kScratch);
  }
  void Store(DWORD type, const std::wstring& text, DWORD bytes) {
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExW(key.get(), L"Installed", 0, type,
                                              reinterpret_cast<const BYTE*>(text.data()), bytes));
  }
  static constexpr wchar_t kScratch[] = L"Software\\quendra3shell-test-installed";
  UniqueRegistryKey key;
};

TEST_F(InstalledValueTest, ValueIsAlwaysTerminatedWithinTheBuffer) {
  const std::wstring k259(259, L'a');
  const std::wstring k260(260, L'b');
  const struct {
    const char* name;
    DWORD type;
    std::wstring text;
    DWORD bytes;
    std::optional<std::wstring> expected;
  } kCases[] = {
      {"ordinary folder", REG_SZ, L"C:\\Q\\", 12, L"C:\\Q\\"},
      {"259 characters and terminator fill the buffer", REG_SZ, k259, 520, k259},
      {"259 characters stored without terminator", REG_SZ, k259, 518, k259},
      {"260 characters without terminator fill it", REG_SZ, k260, 520, std::nullopt},
      // Returned as stored whatever the system does for strings: no terminator at all.
      {"260 characters as bytes fill it", REG_BINARY, k260, 520, std::nullopt},
      {"259 characters as bytes", REG_BINARY, k259, 518, k259},
      {"260 characters and terminator do not fit", REG_SZ, k260, 522, std::nullopt},
      {"type is not examined", REG_EXPAND_SZ, L"C:\\E\\", 12, L"C:\\E\\"},
      {"embedded terminator ends the text", REG_SZ, std::wstring(L"C:\\A\\\0junk", 10), 20,
       L"C:\\A\\"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Store(c.type, c.text, c.bytes);
    EXPECT_EQ(c.expected, ReadInstalledValue(key.get()));
  }
  ::RegDeleteValueW(key.get(), L"Installed");
  EXPECT_EQ(std::nullopt, ReadInstalledValue(key.get()));
}

TEST_F(ApplicationStartTest, ValueFillingTheBufferCountsAsMissing) {
  const std::wstring k260(260, L'c');
  InstallationRecordScope::WriteBytes(HKEY_LOCAL_MACHINE, k260.data(), 520);
  EXPECT_EQ(E_INVALIDARG, StartApplication(L"-new", kOwner, kTwoPaths, kEnglish, kRecording));
  EXPECT_EQ(1u, shownErrors.size());
  EXPECT_TRUE(starts.empty());
}

}  // namespace
