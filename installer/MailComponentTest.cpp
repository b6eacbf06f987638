// Finding the default client's library in the registry and through Windows Installer.
#include "MailClientRegistry.h"

#include <gtest/gtest.h>

#include "fixtures/MailTestFixture.h"

namespace {

const wchar_t kClientKey[] = L"Software\\Clients\\Mail\\Fixture Client";
const wchar_t kComponentId[] = L"{11111111-2222-3333-4444-555555555555}";

std::wstring Language(LANGID id) { return std::to_wstring(id); }

class MailComponentTest : public MailTest {
 protected:
  void SetUp() override {
    MailTest::SetUp();
    systemMsi = std::make_unique<SystemFolderFixture>(MsiFixture(), L"msi.dll");
  }

  // A client installed by Windows Installer, with both language lists and a
  // "DLLPath" that is used only when Windows Installer gives no answer.
  static void RegisterInstalledClient() {
    SetString(HKEY_CURRENT_USER, kMailKey, nullptr, L"Fixture Client");
    SetString(HKEY_CURRENT_USER, kClientKey, L"DLLPath", L"C:\\from\\dllpath.dll");
    SetString(HKEY_CURRENT_USER, kClientKey, L"MSIComponentID", kComponentId);
    SetMultiString(HKEY_CURRENT_USER, kClientKey, L"MSIApplicationLCID",
                   {L"PennarooApp", L"UILanguage"});
    SetMultiString(HKEY_CURRENT_USER, kClientKey, L"MSIOfficeLCID",
                   {L"PennarooOffice", L"Missing", L"InstallLanguage"});
    SetDword(HKEY_CURRENT_USER, L"Software\\PennarooApp", L"UILanguage", 1062);
    SetDword(HKEY_CURRENT_USER, L"Software\\PennarooOffice", L"InstallLanguage", 1063);
  }

  // Each request to Windows Installer as "qualifier mode".
  std::vector<std::wstring> Requests(const FixtureRecord& from) const {
    std::vector<std::wstring> requests;
    const std::string component = "component=" + Escape(kComponentId);
    for (const std::string& line : from.Lines("MsiProvideQualifiedComponentW")) {
      EXPECT_NE(std::string::npos, line.find(component)) << line;
      EXPECT_NE(std::string::npos, line.find(" chars=260")) << line;
      const size_t qualifier = line.find(" qualifier=") + 11;
      const size_t mode = line.find(" mode=");
      const size_t chars = line.find(" chars=");
      std::string request = line.substr(qualifier, mode - qualifier) + " " +
                            line.substr(mode + 6, chars - mode - 6);
      requests.push_back(std::wstring(request.begin(), request.end()));
    }
    return requests;
  }

  std::unique_ptr<SystemFolderFixture> systemMsi;
};

TEST_F(MailComponentTest, WindowsInstallerIsAskedByLanguageUntilItAnswers) {
  const std::wstring user = Language(::GetUserDefaultLangID());
  struct Case {
    const char* description;
    std::wstring answers;
    void (*change)();
    std::vector<std::wstring> requests;
    std::wstring path;
  };
  const Case kCases[] = {
      {"application language", L"1062\\NT|-1|0|C:\\msi\\app.dll", nullptr,
       {L"1062\\NT -1"}, L"C:\\msi\\app.dll"},
      {"policy before settings", L"1071\\NT|-1|0|C:\\msi\\policy.dll",
       [] { SetDword(HKEY_CURRENT_USER, L"Software\\Policy\\PennarooApp", L"UILanguage", 1071); },
       {L"1071\\NT -1"}, L"C:\\msi\\policy.dll"},
      {"installed on request", L"1062\\NT|-1|2|;1062\\NT|0|0|C:\\msi\\new.dll", nullptr,
       {L"1062\\NT -1", L"1062\\NT 0"}, L"C:\\msi\\new.dll"},
      // Wine is no terminal server, so a client that forbids installing on one may install.
      {"installed on request outside a terminal server",
       L"1062\\NT|-1|2|;1062\\NT|0|0|C:\\msi\\new.dll",
       [] { SetDword(HKEY_CURRENT_USER, kClientKey, L"MSIInstallOnWTS", 0); },
       {L"1062\\NT -1", L"1062\\NT 0"}, L"C:\\msi\\new.dll"},
      {"language alone", L"1062|-1|0|C:\\msi\\plain.dll", nullptr,
       {L"1062\\NT -1", L"1062 -1"}, L"C:\\msi\\plain.dll"},
      {"language alone, installed on request", L"1062|-1|2|;1062|0|0|C:\\msi\\plain.dll", nullptr,
       {L"1062\\NT -1", L"1062 -1", L"1062 0"}, L"C:\\msi\\plain.dll"},
      {"office language", L"1063\\NT|-1|0|C:\\msi\\office.dll", nullptr,
       {L"1062\\NT -1", L"1062 -1", L"1063\\NT -1"}, L"C:\\msi\\office.dll"},
      {"user's language", user + L"\\NT|-1|0|C:\\msi\\user.dll", nullptr,
       {L"1062\\NT -1", L"1062 -1", L"1063\\NT -1", L"1063 -1", user + L"\\NT -1"},
       L"C:\\msi\\user.dll"},
      {"an answer without a path", L"1062\\NT|-1|1607|", nullptr, {L"1062\\NT -1"}, L""},
      {"application list of another type", L"1063\\NT|-1|0|C:\\msi\\office.dll",
       [] { SetString(HKEY_CURRENT_USER, kClientKey, L"MSIApplicationLCID", L"x"); },
       {L"1063\\NT -1"}, L"C:\\msi\\office.dll"},
      {"list without its final terminator", L"1062\\NT|-1|0|C:\\msi\\app.dll",
       [] {
         const std::wstring list = L"PennarooApp";
         std::wstring data = list + L'\0' + L"UILanguage";
         SetRaw(HKEY_CURRENT_USER, kClientKey, L"MSIApplicationLCID", REG_MULTI_SZ, data.data(),
                static_cast<DWORD>(data.size() * sizeof(wchar_t)));
       },
       {L"1062\\NT -1"}, L"C:\\msi\\app.dll"},
      {"no application list", L"", [] {
         ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kClientKey, L"MSIApplicationLCID");
       }, {}, L"C:\\from\\dllpath.dll"},
      {"no office list", L"", [] {
         ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kClientKey, L"MSIOfficeLCID");
       }, {}, L"C:\\from\\dllpath.dll"},
      {"component id that does not fit", L"", [] {
         const std::wstring tooLong = std::wstring(kComponentId) + L"X";
         SetRaw(HKEY_CURRENT_USER, kClientKey, L"MSIComponentID", REG_SZ, tooLong.data(),
                static_cast<DWORD>(tooLong.size() * sizeof(wchar_t)));
       }, {}, L"C:\\from\\dllpath.dll"},
      {"component id of another type", L"", [] {
         SetString(HKEY_CURRENT_USER, kClientKey, L"MSIComponentID", kComponentId, REG_EXPAND_SZ);
       }, {}, L"C:\\from\\dllpath.dll"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.description);
    ScratchRegistry caseRegistry;
    FixtureRecord caseRecord;
    RegisterInstalledClient();
    if (c.change != nullptr) c.change();
    ScopedEnvironment answers(L"PENNAROO_MSI_ANSWERS", c.answers);
    EXPECT_EQ(c.path, FindMailClientDll(HKEY_CURRENT_USER).dllPath);
    EXPECT_EQ(c.requests, Requests(caseRecord));
  }
}

TEST_F(MailComponentTest, WithoutAnyAnswerTheLastRequestIsUsEnglishAndDllPathIsUsed) {
  RegisterInstalledClient();
  EXPECT_EQ(L"C:\\from\\dllpath.dll", FindMailClientDll(HKEY_CURRENT_USER).dllPath);
  const std::vector<std::wstring> requests = Requests(record);
  ASSERT_EQ(10u, requests.size());
  EXPECT_EQ(Language(::GetUserDefaultLangID()) + L"\\NT -1", requests[4]);
  EXPECT_EQ(Language(::GetSystemDefaultLangID()) + L" -1", requests[7]);
  EXPECT_EQ(L"1033 -1", requests[9]);
}

TEST_F(MailComponentTest, ClientFromWindowsInstallerGetsTheMessage) {
  UseSystemMapi(AnsiMapiFixture());
  const PlacedFile client(UnicodeMapiFixture(), folder.File(L"installed.dll"));
  // The planted copy would answer with a library of its own.
  const PlacedFile planted(MsiFixture(), ProgramFolder() + L"\\msi.dll");
  RegisterInstalledClient();
  ScopedEnvironment answers(L"PENNAROO_MSI_ANSWERS", L"1062\\NT|-1|0|" + client.Path());
  EXPECT_EQ(0, Send(JavaMail()));
  const std::vector<std::string> requests = record.Lines("MsiProvideQualifiedComponentW");
  ASSERT_EQ(1u, requests.size());
  EXPECT_EQ(0u, requests[0].find("MsiProvideQualifiedComponentW " +
                                 RecordedPath(SystemFolder() + L"\\msi.dll") + " "));
  const std::vector<std::string> calls = record.Lines("MAPISendMailW");
  ASSERT_EQ(1u, calls.size());
  EXPECT_EQ(0u, calls[0].find("MAPISendMailW " + RecordedPath(client.Path()) + " "));
}

TEST_F(MailComponentTest, RegistryValuesThatDoNotFitTheirBuffersAreMissing) {
  struct Case {
    const char* description;
    void (*setUp)();
    std::wstring path;
  };
  static const std::wstring kLongest = L"C:\\" + std::wstring(251, L'a') + L".dll";  // 258
  const Case kCases[] = {
      {"longest path", [] {
         SetString(HKEY_CURRENT_USER, kClientKey, L"DLLPath", kLongest);
       }, kLongest},
      {"path one character longer", [] {
         SetString(HKEY_CURRENT_USER, kClientKey, L"DLLPath", kLongest + L"x");
       }, L""},
      {"path without terminator filling the buffer", [] {
         const std::wstring path = kLongest + L"x";
         SetRaw(HKEY_CURRENT_USER, kClientKey, L"DLLPath", REG_SZ, path.data(),
                static_cast<DWORD>(path.size() * sizeof(wchar_t)));
       }, L""},
      {"expansion too long", [] {
         ::SetEnvironmentVariableW(L"PENNAROO_LONG", std::wstring(200, L'b').c_str());
         SetString(HKEY_CURRENT_USER, kClientKey, L"DLLPath",
                   L"C:\\%PENNAROO_LONG%\\%PENNAROO_LONG%.dll", REG_EXPAND_SZ);
       }, L""},
      {"client name from an app registration too long to read", [] {
         SetString(HKEY_LOCAL_MACHINE, kMapiAppsKey, L"kernel32.dll", std::wstring(300, L'c'));
         SetString(HKEY_CURRENT_USER, kClientKey, L"DLLPath", L"C:\\default.dll");
       }, L"C:\\default.dll"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.description);
    ScratchRegistry caseRegistry;
    SetString(HKEY_CURRENT_USER, kMailKey, nullptr, L"Fixture Client");
    c.setUp();
    EXPECT_EQ(c.path, FindMailClientDll(HKEY_CURRENT_USER).dllPath);
  }
}

TEST_F(MailComponentTest, Utf8SwitchFollowsSupportUtf8) {
  struct Case {
    std::optional<DWORD> value;
    bool expected;
  };
  for (const Case& c : {Case{1, true}, Case{2, true}, Case{0, false}, Case{std::nullopt, false}}) {
    SCOPED_TRACE(testing::Message() << c.value.value_or(99));
    ScratchRegistry caseRegistry;
    RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", L"C:\\client.dll");
    if (c.value) SetDword(HKEY_CURRENT_USER, kClientKey, L"SupportUTF8", *c.value);
    EXPECT_EQ(c.expected, FindMailClientDll(HKEY_CURRENT_USER).supportsUtf8);
  }
}

}  // namespace
