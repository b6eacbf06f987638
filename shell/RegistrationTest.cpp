// regsvr32 against the built DLL, read back key by key.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "ComReference.h"
#include "Identifiers.h"
#include "fixtures/ShellHost.h"
#include "fixtures/TestSupport.h"

namespace {

using Scope = RegistrationScope::Scope;

const std::wstring kAppIdKey = std::wstring(L"AppID\\") + kAppIdText;
const std::wstring kClassKey = std::wstring(L"CLSID\\") + kClsidQuendra3menuText;
const std::wstring kFileHandlerKey = L"*\\ShellEx\\ContextMenuHandlers\\quendra3";
const std::wstring kFolderHandlerKey = L"Folder\\ShellEx\\ContextMenuHandlers\\quendra3";

struct ExpectedValue {
  std::wstring key;
  const wchar_t* name;  // nullptr for the default value
  std::wstring data;
};

std::vector<ExpectedValue> ExpectedValues() {
  return {
      {kAppIdKey, nullptr, L"quendra3shell"},
      {L"AppID\\quendra3shell.DLL", L"AppID", kAppIdText},
      {kClassKey, nullptr, L"quendra3"},
      {kClassKey + L"\\InprocServer32", nullptr, ShellDllPath()},
      {kClassKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {kFileHandlerKey, nullptr, kClsidQuendra3menuText},
      {kFolderHandlerKey, nullptr, kClsidQuendra3menuText},
  };
}

const wchar_t* const kKeptKeys[] = {
    L"AppID", L"CLSID", L"*", L"*\\ShellEx", L"*\\ShellEx\\ContextMenuHandlers",
    L"Folder", L"Folder\\ShellEx", L"Folder\\ShellEx\\ContextMenuHandlers",
};

std::wstring InClasses(const std::wstring& key) { return RegistrationScope::kClasses + key; }

bool TypeLibraryRegistered() {
  ComReference<ITypeLib> library;
  return SUCCEEDED(::LoadRegTypeLib(kLibidQuendra3shellLib, 1, 0, 0x0409, library.receive()));
}

void ExpectRegisteredIn(HKEY hive) {
  for (const ExpectedValue& value : ExpectedValues()) {
    SCOPED_TRACE(testing::Message() << value.key.c_str() << " " << (value.name ? value.name : L"@"));
    EXPECT_EQ(value.data, ReadString(hive, InClasses(value.key), value.name).value_or(L"<none>"));
  }
  EXPECT_TRUE(TypeLibraryRegistered());
}

void ExpectUnregisteredFrom(HKEY hive) {
  for (const ExpectedValue& value : ExpectedValues()) {
    EXPECT_FALSE(KeyExists(hive, InClasses(value.key))) << value.key.c_str();
  }
  for (const wchar_t* key : kKeptKeys) EXPECT_TRUE(KeyExists(hive, InClasses(key))) << key;
  EXPECT_FALSE(TypeLibraryRegistered());
}

class RegistrationTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
  void TearDown() override { ::CoUninitialize(); }
};

TEST_F(RegistrationTest, MachineRegistrationWritesTheTableAndUnregistrationKeepsSharedKeys) {
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, InClasses(kClassKey)));
  RegistrationScope registration(Scope::Machine);
  ASSERT_EQ(0u, registration.RegisterExitCode());
  ExpectRegisteredIn(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, InClasses(kClassKey)));
  ASSERT_EQ(0u, registration.Unregister());
  ExpectUnregisteredFrom(HKEY_LOCAL_MACHINE);
}

TEST_F(RegistrationTest, UserRegistrationGoesBelowTheUsersClasses) {
  RegistrationScope registration(Scope::User);
  ASSERT_EQ(0u, registration.RegisterExitCode());
  ExpectRegisteredIn(HKEY_CURRENT_USER);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, InClasses(kClassKey)));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, InClasses(kFileHandlerKey)));
  ASSERT_EQ(0u, registration.Unregister());
  ExpectUnregisteredFrom(HKEY_CURRENT_USER);
}

// Replaced keys lose whatever was in them before; a normal key is only added to.
TEST_F(RegistrationTest, ReplacedKeysAreClearedBeforeTheyAreWritten) {
  HKEY hive = HKEY_LOCAL_MACHINE;
  WriteString(hive, InClasses(kClassKey + L"\\Stale"), nullptr, L"old");
  WriteString(hive, InClasses(kFileHandlerKey), L"Old", L"old");
  WriteString(hive, InClasses(kAppIdKey), L"Extra", L"kept");
  RegistrationScope registration(Scope::Machine);
  ASSERT_EQ(0u, registration.RegisterExitCode());
  EXPECT_FALSE(KeyExists(hive, InClasses(kClassKey + L"\\Stale")));
  EXPECT_FALSE(ReadString(hive, InClasses(kFileHandlerKey), L"Old").has_value());
  EXPECT_EQ(L"kept", ReadString(hive, InClasses(kAppIdKey), L"Extra").value_or(L"<none>"));
  ASSERT_EQ(0u, registration.Unregister());
  EXPECT_FALSE(KeyExists(hive, InClasses(kAppIdKey)));
}

}  // namespace
