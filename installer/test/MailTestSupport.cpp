#include "MailTestSupport.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "fixtures/FixtureRecord.h"

namespace pennaroo::test {
namespace {

HKEY CreateKey(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  const LONG status = ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &key, nullptr);
  EXPECT_EQ(ERROR_SUCCESS, status) << "cannot create a scratch key";
  return key;
}

void RestoreIfKeptAside(const std::wstring& target, const std::wstring& keptAside) {
  if (::GetFileAttributesW(keptAside.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  ::MoveFileExW(keptAside.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

ScratchRegistry::ScratchRegistry()
    : rootPath(L"Software\\PennarooTest-" + std::to_wstring(::GetCurrentProcessId())) {
  user = CreateKey(HKEY_CURRENT_USER, rootPath + L"\\user");
  machine = CreateKey(HKEY_CURRENT_USER, rootPath + L"\\machine");
  EXPECT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_CURRENT_USER, user));
  EXPECT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine));
}

ScratchRegistry::~ScratchRegistry() {
  ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (user != nullptr) ::RegCloseKey(user);
  if (machine != nullptr) ::RegCloseKey(machine);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, rootPath.c_str());
}

void SetRaw(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type,
            const void* data, DWORD bytes) {
  HKEY opened = CreateKey(root, key);
  if (opened == nullptr) return;
  EXPECT_EQ(ERROR_SUCCESS,
            ::RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), bytes));
  ::RegCloseKey(opened);
}

void SetString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value,
               DWORD type) {
  SetRaw(root, key, name, type, value.c_str(),
         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value) {
  SetRaw(root, key, name, REG_DWORD, &value, sizeof(value));
}

void SetMultiString(HKEY root, const std::wstring& key, const wchar_t* name,
                    const std::vector<std::wstring>& strings) {
  std::wstring data;
  for (const std::wstring& text : strings) data += text + L'\0';
  data += L'\0';
  SetRaw(root, key, name, REG_MULTI_SZ, data.data(),
         static_cast<DWORD>(data.size() * sizeof(wchar_t)));
}

SystemFolderFixture::SystemFolderFixture(const std::wstring& fixture,
                                         const std::wstring& systemName)
    : target(SystemFolder() + L"\\" + systemName), keptAside(target + L".pennaroo-kept") {
  RestoreIfKeptAside(target, keptAside);
  if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    EXPECT_TRUE(::MoveFileExW(target.c_str(), keptAside.c_str(), MOVEFILE_REPLACE_EXISTING));
  }
  CopyFixture(fixture, target);
}

SystemFolderFixture::~SystemFolderFixture() {
  ::DeleteFileW(target.c_str());
  RestoreIfKeptAside(target, keptAside);
}

PlacedFile::PlacedFile(const std::wstring& fixture, const std::wstring& target)
    : target(target) {
  CopyFixture(fixture, target);
}

PlacedFile::~PlacedFile() {
  ::DeleteFileW(target.c_str());
}

std::wstring UnicodeMapiFixture() { return ProgramFolder() + L"\\mapi_unicode_fixture.dll"; }
std::wstring AnsiMapiFixture() { return ProgramFolder() + L"\\mapi_ansi_fixture.dll"; }
std::wstring MsiFixture() { return ProgramFolder() + L"\\msi_fixture.dll"; }

std::string RecordedPath(const std::wstring& path) {
  std::wstring lower = path;
  ::CharLowerW(&lower[0]);
  return fixture::Escape(lower.c_str());
}

}  // namespace pennaroo::test
