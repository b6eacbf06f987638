// The routes of a message to a Simple MAPI library, through the exported method.
#include <gtest/gtest.h>

#include <fstream>

#include "fixtures/MailTestFixture.h"
#include "fixtures/StrictUtf8Conversion.h"
#include "platform/WindowsHandles.h"

namespace {

std::string Call(const std::string& entry, const std::string& modulePath) {
  return entry + " " + modulePath + " session=0 window=0 flags=9 reserved=0";
}

std::vector<std::string> Calls(const FixtureRecord& record) {
  std::vector<std::string> calls = record.Lines("MAPISendMail");
  for (std::string& call : calls) call = call.substr(0, call.find(" session="));
  return calls;
}

std::string CallOf(const std::string& entry, const std::wstring& module) {
  return entry + " " + RecordedPath(module);
}

using Strings = std::vector<std::optional<std::u16string>>;

TEST_F(MailTest, UnicodeEntryOfTheSystemLibraryGetsTheMessageAsBuilt) {
  UseSystemMapi(UnicodeMapiFixture());
  // A registered client that would record its own call if it were ever used.
  const PlacedFile client(UnicodeMapiFixture(), folder.File(L"client.dll"));
  RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", client.Path());
  JavaMail mail;
  mail.subject = u"L\u012Bgums";
  mail.text = u"Labdien!\nPielikum\u0101 divi faili.";
  mail.fileNames = Strings{u"a.edoc", u"b \u0101.pdf"};
  mail.filePaths = Strings{u"C:\\docs\\a.edoc", u"C:\\docs\\b \u0101.pdf"};
  EXPECT_EQ(0, Send(mail));
  const std::vector<std::string> expected = {
      Call("MAPISendMailW", SystemMapiPath()),
      "message reserved=0 subject=L\\u012bgums text=Labdien!\\u000aPielikum\\u0101 divi faili. "
      "type=(null) flags=0 originator=null recipients=0 files=2 fileArray=set",
      "file reserved=0 flags=0 position=4294967295 path=C:\\docs\\a.edoc name=a.edoc type=null",
      "file reserved=0 flags=0 position=4294967295 path=C:\\docs\\b \\u0101.pdf "
      "name=b \\u0101.pdf type=null",
  };
  EXPECT_EQ(expected, record.Lines());
  const std::vector<std::wstring> expectedTrace = {
      L"sendMessage wSubject: 6", L"sendMessage wMessage: 30", L"sendMessage wFileName: 2",
      L"sendMessage wFilePath: 2", L"sendMessage result: 0"};
  EXPECT_EQ(expectedTrace, trace);
}

TEST_F(MailTest, WithoutASystemLibraryNothingIsSent) {
  UseSystemMapi(UnicodeMapiFixture());
  RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", L"C:\\nowhere\\client.dll");
  ScopedEnvironment refuse(L"PENNAROO_FIXTURE_REFUSE_LOAD", L"1");
  const UniqueModule loaded(::LoadLibraryExW(L"mapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  ASSERT_FALSE(loaded) << "Wine fell back to its own mapi32.dll";
  EXPECT_EQ(2, Send(JavaMail()));
  EXPECT_TRUE(record.Lines().empty());
  EXPECT_EQ(L"sendMessage result: 2", trace.back());
}

TEST_F(MailTest, ResultOfTheMailClientReachesJava) {
  UseSystemMapi(UnicodeMapiFixture());
  for (const wchar_t* code : {L"1", L"2", L"26"}) {
    SCOPED_TRACE(testing::Message() << code);
    ScopedEnvironment result(L"PENNAROO_FIXTURE_RESULT", code);
    EXPECT_EQ(std::wcstol(code, nullptr, 10), Send(JavaMail()));
    EXPECT_EQ(std::wstring(L"sendMessage result: ") + code, trace.back());
  }
}

TEST_F(MailTest, AttachmentsNeedTwoListsOfTheSameNonZeroLength) {
  UseSystemMapi(UnicodeMapiFixture());
  struct Case {
    std::optional<Strings> names;
    std::optional<Strings> paths;
    const wchar_t* nameCount;
  };
  const Case kCases[] = {
      {Strings{u"a.pdf", u"b.pdf"}, Strings{u"C:\\a.pdf"}, L"2"},
      {Strings{}, Strings{}, L"0"},
      {std::nullopt, Strings{u"C:\\a.pdf"}, L"0"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.nameCount);
    FixtureRecord caseRecord;
    JavaMail mail;
    mail.subject = std::nullopt;
    mail.text = u"";
    mail.fileNames = c.names;
    mail.filePaths = c.paths;
    EXPECT_EQ(0, Send(mail));
    EXPECT_EQ((std::vector<std::string>{
                  "message reserved=0 subject= text= type=(null) flags=0 originator=null "
                  "recipients=0 files=0 fileArray=null"}),
              caseRecord.Lines("message"));
    EXPECT_EQ(std::wstring(L"sendMessage wFileName: ") + c.nameCount, trace[2]);
  }
}

// Whatever stops one of the texts from being copied, nothing is sent without it:
// the call ends with the result line and 2 (the fixture would record a send).
TEST_F(MailTest, TextThatCannotBeCopiedSendsNothing) {
  UseSystemMapi(UnicodeMapiFixture());
  using Fault = FakeJniEnv::CopyFault;
  const std::u16string kFailingTexts[] = {u"Subject", u"Text", u"b.pdf", u"C:\\docs\\b.pdf"};
  for (Fault fault : {Fault::kOutOfMemory, Fault::kNullWithoutException, Fault::kThrowsBadAlloc,
                      Fault::kThrowsForeignException}) {
    for (const std::u16string& failing : kFailingTexts) {
      SCOPED_TRACE(testing::Message() << static_cast<int>(fault) << " "
                                      << std::string(failing.begin(), failing.end()));
      FixtureRecord caseRecord;
      JavaMail mail;
      mail.fileNames = Strings{u"a.pdf", u"b.pdf"};
      mail.filePaths = Strings{u"C:\\docs\\a.pdf", u"C:\\docs\\b.pdf"};
      mail.failingCopy = std::make_pair(failing, fault);
      EXPECT_EQ(2, Send(mail));
      EXPECT_EQ(std::vector<std::string>(), caseRecord.Lines());
      EXPECT_EQ(std::vector<std::wstring>{L"sendMessage result: 2"}, trace);
    }
  }
}

// Each row registers a client in its own way; the client library must get the call.
TEST_F(MailTest, RegisteredClientLibraryGetsTheMessageWhenTheSystemHasNoUnicodeEntry) {
  UseSystemMapi(AnsiMapiFixture());
  struct Case {
    const char* description;
    void (*registerClient)(const std::wstring& dllPath);
  };
  const Case kCases[] = {
      {"current user", [](const std::wstring& dllPath) {
         RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", dllPath);
       }},
      {"current user, expandable path", [](const std::wstring& dllPath) {
         const std::wstring folderPath = dllPath.substr(0, dllPath.find_last_of(L'\\'));
         ::SetEnvironmentVariableW(L"PENNAROO_CLIENT_FOLDER", folderPath.c_str());
         RegisterClient(HKEY_CURRENT_USER, L"Fixture Client",
                        L"%PENNAROO_CLIENT_FOLDER%\\client.dll", REG_EXPAND_SZ);
       }},
      {"current user's choice, registered for the machine", [](const std::wstring& dllPath) {
         SetString(HKEY_CURRENT_USER, kMailKey, nullptr, L"Machine Client");
         RegisterClient(HKEY_LOCAL_MACHINE, L"Machine Client", dllPath);
         SetString(HKEY_LOCAL_MACHINE, kMailKey, nullptr, L"Another Client");
       }},
      {"machine only", [](const std::wstring& dllPath) {
         RegisterClient(HKEY_LOCAL_MACHINE, L"Machine Client", dllPath);
       }},
      {"current user's client without a library", [](const std::wstring& dllPath) {
         SetString(HKEY_CURRENT_USER, std::wstring(kMailKey) + L"\\Broken", L"Other", L"x");
         SetString(HKEY_CURRENT_USER, kMailKey, nullptr, L"Broken");
         RegisterClient(HKEY_LOCAL_MACHINE, L"Machine Client", dllPath);
       }},
      {"client named for a loaded module", [](const std::wstring& dllPath) {
         SetString(HKEY_LOCAL_MACHINE, kMapiAppsKey, L"kernel32.dll", L"App Client");
         SetString(HKEY_CURRENT_USER, kMailKey, nullptr, L"Default Client");
         SetString(HKEY_CURRENT_USER, std::wstring(kMailKey) + L"\\Default Client", L"DLLPath",
                   L"C:\\nowhere\\default.dll");
         SetString(HKEY_CURRENT_USER, std::wstring(kMailKey) + L"\\App Client", L"DLLPath",
                   dllPath);
       }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.description);
    ScratchRegistry caseRegistry;
    FixtureRecord caseRecord;
    const PlacedFile client(UnicodeMapiFixture(), folder.File(L"client.dll"));
    c.registerClient(client.Path());
    ScopedEnvironment result(L"PENNAROO_FIXTURE_RESULT", L"1");
    EXPECT_EQ(1, Send(JavaMail()));
    EXPECT_EQ((std::vector<std::string>{CallOf("MAPISendMailW", client.Path())}),
              Calls(caseRecord));
  }
}

TEST_F(MailTest, MultiByteEntryIsTheLastResort) {
  UseSystemMapi(AnsiMapiFixture());
  // Present in the system folder, but without "mapisvc.inf" it is not to be used.
  const PlacedFile extended(UnicodeMapiFixture(), SystemFolder() + L"\\mapi32x.dll");
  struct Case {
    const char* description;
    void (*registerClient)(const std::wstring& folder);
  };
  const Case kCases[] = {
      {"nothing registered", [](const std::wstring&) {}},
      {"client library is the system's", [](const std::wstring&) {
         RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", L"MAPI32.DLL");
       }},
      {"client library has no Unicode entry", [](const std::wstring& folder) {
         RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", folder + L"\\ansi-client.dll");
       }},
      {"client library missing", [](const std::wstring& folder) {
         RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", folder + L"\\missing.dll");
       }},
  };
  const PlacedFile ansiClient(AnsiMapiFixture(), folder.File(L"ansi-client.dll"));
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.description);
    ScratchRegistry caseRegistry;
    FixtureRecord caseRecord;
    c.registerClient(folder.Path());
    EXPECT_EQ(0, Send(JavaMail()));
    EXPECT_EQ((std::vector<std::string>{"MAPISendMail " + SystemMapiPath()}), Calls(caseRecord));
  }
}

TEST_F(MailTest, SystemFolderMapi32xServesWhenMapiServicesAreInstalled) {
  UseSystemMapi(AnsiMapiFixture());
  const PlacedFile extended(UnicodeMapiFixture(), SystemFolder() + L"\\mapi32x.dll");
  {
    const PlacedFile services(AnsiMapiFixture(), SystemFolder() + L"\\mapisvc.inf");
    FixtureRecord caseRecord;
    EXPECT_EQ(0, Send(JavaMail()));
    EXPECT_EQ((std::vector<std::string>{CallOf("MAPISendMailW", extended.Path())}),
              Calls(caseRecord));
  }
  {
    SetString(HKEY_LOCAL_MACHINE, kMapiAppsKey, L"kernel32.dll", L"Unregistered Client");
    FixtureRecord caseRecord;
    EXPECT_EQ(0, Send(JavaMail()));
    EXPECT_EQ((std::vector<std::string>{CallOf("MAPISendMailW", extended.Path())}),
              Calls(caseRecord));
  }
}

TEST_F(MailTest, LibrariesBesideTheCallingProgramAreNeverLoaded) {
  UseSystemMapi(AnsiMapiFixture());
  const PlacedFile planted(UnicodeMapiFixture(), ProgramFolder() + L"\\mapi32.dll");
  RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", L"mapi32.dll");
  EXPECT_EQ(0, Send(JavaMail()));
  EXPECT_EQ((std::vector<std::string>{"MAPISendMail " + SystemMapiPath()}), Calls(record));
}

TEST_F(MailTest, MultiByteCopyIsInUtf8WhenTheClientSupportsIt) {
  UseSystemMapi(AnsiMapiFixture());
  char ansiSubject[64] = {};
  ::WideCharToMultiByte(CP_ACP, 0, L"M\u00FCller", -1, ansiSubject, sizeof(ansiSubject), nullptr,
                        nullptr);
  struct Case {
    std::optional<DWORD> supportUtf8;
    std::string expected;
  };
  const Case kCases[] = {
      {1, "message reserved=65001 subject=M\\xc3\\xbcller text=\\xc4\\x81"},
      {0, "message reserved=0 subject=" + Escape(ansiSubject) + " text="},
      {std::nullopt, "message reserved=0 subject=" + Escape(ansiSubject) + " text="},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.supportUtf8.value_or(99));
    ScratchRegistry caseRegistry;
    FixtureRecord caseRecord;
    RegisterClient(HKEY_CURRENT_USER, L"Fixture Client", L"mapi32.dll");
    if (c.supportUtf8) {
      SetDword(HKEY_CURRENT_USER, std::wstring(kMailKey) + L"\\Fixture Client", L"SupportUTF8",
               *c.supportUtf8);
    }
    JavaMail mail;
    mail.subject = u"M\u00FCller";
    mail.text = c.supportUtf8 == 1 ? u"\u0101" : u"";
    EXPECT_EQ(0, Send(mail));
    const std::vector<std::string> message = caseRecord.Lines("message");
    ASSERT_EQ(1u, message.size());
    EXPECT_EQ(0u, message[0].find(c.expected)) << message[0];
  }
}

TEST_F(MailTest, AttachmentPathOutsideTheAnsiCodePageWithoutShortNameSendsNothing) {
  UseSystemMapi(AnsiMapiFixture());
  const std::wstring existing = folder.File(L"\u6587\u4EF6 long name.pdf");
  std::ofstream(existing.c_str()) << "content";
  const std::wstring missing = folder.File(L"\u6587\u4EF6 missing.pdf");
  auto attach = [](const std::wstring& path) {
    JavaMail mail;
    mail.fileNames = Strings{u"file.pdf"};
    mail.filePaths = Strings{std::u16string(path.begin(), path.end())};
    return mail;
  };
  EXPECT_EQ(2, Send(attach(missing)));
  EXPECT_TRUE(record.Lines().empty());
  EXPECT_EQ(L"sendMessage result: 2", trace.back());

  EXPECT_EQ(0, Send(attach(existing)));
  const std::vector<std::string> files = record.Lines("file");
  ASSERT_EQ(1u, files.size());
  EXPECT_EQ(std::string::npos, files[0].find("\\x")) << files[0];
}

// Runs in a process whose ANSI code page is UTF-8; its test entry starts it so.
class Utf8AnsiCodePageMailTest : public MailTest {
 protected:
  void SetUp() override {
    MailTest::SetUp();
    ASSERT_EQ(static_cast<UINT>(CP_UTF8), ::GetACP())
        << "run with LC_ALL=hi_IN.UTF-8: Wine then gives the process UTF-8 as its ANSI code page";
  }
};

TEST_F(Utf8AnsiCodePageMailTest, AttachmentsReachTheMultiByteEntryAsUtf8) {
  UseSystemMapi(AnsiMapiFixture());
  StrictUtf8Conversion strict;
  JavaMail mail;
  mail.fileNames = Strings{u"R\u012Bga.edoc", u"\u041C\u043E\u0441\u043A\u0432\u0430.pdf"};
  mail.filePaths =
      Strings{u"C:\\docs\\R\u012Bga.edoc", u"C:\\docs\\\u041C\u043E\u0441\u043A\u0432\u0430.pdf"};
  EXPECT_EQ(0, Send(mail));
  const std::vector<std::string> expected = {
      "file reserved=0 flags=0 position=4294967295 path=C:\\docs\\R\\xc4\\xabga.edoc "
      "name=R\\xc4\\xabga.edoc type=null",
      "file reserved=0 flags=0 position=4294967295 "
      "path=C:\\docs\\\\xd0\\x9c\\xd0\\xbe\\xd1\\x81\\xd0\\xba\\xd0\\xb2\\xd0\\xb0.pdf "
      "name=\\xd0\\x9c\\xd0\\xbe\\xd1\\x81\\xd0\\xba\\xd0\\xb2\\xd0\\xb0.pdf type=null",
  };
  EXPECT_EQ(expected, record.Lines("file"));
  EXPECT_EQ((std::vector<std::string>{"MAPISendMail " + SystemMapiPath()}), Calls(record));
  EXPECT_EQ(0, strict.RefusedCalls());
}

}  // namespace
