#include "ApplicationStart.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "UniqueHandle.h"

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
  EXPECT_EQ(S_OK, StartApplication(L"-sign", kOwner, kTwoPaths, kRecording));
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
  EXPECT_EQ(S_OK, StartApplication(L"-batch", kOwner, {L"C:\\Folder"}, kRecording));
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
    EXPECT_EQ(E_INVALIDARG, StartApplication(L"-new", kOwner, kTwoPaths, kRecording));
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
  EXPECT_EQ(E_INVALIDARG, StartApplication(L"-new", kOwner, {}, kRecording));
  EXPECT_TRUE(starts.empty());
  EXPECT_TRUE(shownErrors.empty());
}

class InstalledValueTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr));
  }
  void TearDown() override {
    key.Reset();
    DeleteKey(HKEY_CURRENT_USER, kScratch);
  }
  void Store(DWORD type, const std::wstring& text, DWORD bytes) {
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExW(key.Get(), L"Installed", 0, type,
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
    EXPECT_EQ(c.expected, ReadInstalledValue(key.Get()));
  }
  ::RegDeleteValueW(key.Get(), L"Installed");
  EXPECT_EQ(std::nullopt, ReadInstalledValue(key.Get()));
}

TEST_F(ApplicationStartTest, ValueFillingTheBufferCountsAsMissing) {
  const std::wstring k260(260, L'c');
  InstallationRecordScope::WriteBytes(HKEY_LOCAL_MACHINE, k260.data(), 520);
  EXPECT_EQ(E_INVALIDARG, StartApplication(L"-new", kOwner, kTwoPaths, kRecording));
  EXPECT_EQ(1u, shownErrors.size());
  EXPECT_TRUE(starts.empty());
}

}  // namespace
