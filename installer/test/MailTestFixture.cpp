#include "MailTestFixture.h"

#include "fixtures/FixtureRecord.h"

extern "C" jint JNICALL Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniSendMessage(
    JNIEnv* env, jobject, jstring subject, jstring message, jobjectArray fileNames,
    jobjectArray filePaths);

namespace pennaroo::test {

const wchar_t kMailKey[] = L"Software\\Clients\\Mail";
const wchar_t kMapiAppsKey[] = L"SOFTWARE\\Microsoft\\Windows Messaging Subsystem\\MSMapiApps";

void MailTest::SetUp() {
  ASSERT_NE(std::wstring::npos, fixture::Environment(L"WINEDLLOVERRIDES").find(L"mapi32,msi=n,b"))
      << "run with WINEDLLOVERRIDES=mapi32,msi=n,b so that Wine takes our system libraries";
}

void MailTest::UseSystemMapi(const std::wstring& fixture) {
  systemMapi = std::make_unique<SystemFolderFixture>(fixture, L"mapi32.dll");
}

void MailTest::RegisterClient(HKEY root, const std::wstring& name, const std::wstring& dllPath,
                              DWORD type) {
  SetString(root, kMailKey, nullptr, name);
  SetString(root, std::wstring(kMailKey) + L"\\" + name, L"DLLPath", dllPath, type);
}

jint MailTest::Send(const JavaMail& mail) {
  FakeJniEnv jni;
  auto string = [&jni](const std::optional<std::u16string>& text) {
    return text ? jni.NewString(*text) : nullptr;
  };
  auto array = [&jni](const std::optional<std::vector<std::optional<std::u16string>>>& list) {
    return list ? jni.NewStringArray(*list) : nullptr;
  };
  TraceCapture capture;
  const jint result = Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniSendMessage(
      jni.Env(), nullptr, string(mail.subject), string(mail.text), array(mail.fileNames),
      array(mail.filePaths));
  trace = capture.Lines();
  EXPECT_EQ(0, jni.PinnedCharacters());
  EXPECT_EQ(0, jni.LiveLocalReferences());
  return result;
}

}  // namespace pennaroo::test
