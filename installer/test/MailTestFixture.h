// The common ground of the mail route tests: an isolated registry, a fixture
// record, a scratch folder and a system "mapi32.dll" of ours.
#ifndef PENNAROO_TEST_MAIL_TEST_FIXTURE_H
#define PENNAROO_TEST_MAIL_TEST_FIXTURE_H

#include <jni.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeJniEnv.h"
#include "MailTestSupport.h"
#include "TestSupport.h"
#include "fixtures/FixtureRecord.h"

namespace pennaroo::test {

extern const wchar_t kMailKey[];
extern const wchar_t kMapiAppsKey[];

struct JavaMail {
  std::optional<std::u16string> subject = u"Subject";
  std::optional<std::u16string> text = u"Text";
  std::optional<std::vector<std::optional<std::u16string>>> fileNames;
  std::optional<std::vector<std::optional<std::u16string>>> filePaths;
};

class MailTest : public testing::Test {
 protected:
  void SetUp() override;

  // Puts `fixture` in the system folder as mapi32.dll.
  void UseSystemMapi(const std::wstring& fixture);
  // Registers `name` under `root` as the default client, with its library at `dllPath`.
  static void RegisterClient(HKEY root, const std::wstring& name, const std::wstring& dllPath,
                             DWORD type = REG_SZ);
  // Calls the exported method as Java does, collecting the trace.
  jint Send(const JavaMail& mail);

  std::string SystemMapiPath() const { return RecordedPath(SystemFolder() + L"\\mapi32.dll"); }

  ScratchRegistry registry;
  FixtureRecord record;
  ScratchFolder folder;
  std::unique_ptr<SystemFolderFixture> systemMapi;
  std::vector<std::wstring> trace;
};

}  // namespace pennaroo::test

#endif
