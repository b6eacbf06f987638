#include "platform/RegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/WindowsHandles.h"
#include "platform/WindowsPlatform.h"
#include "platform/WindowsTestSupport.h"

namespace {

// A key that the test creates below a root of the test prefix and removes, with
// everything below it, afterwards.
class ScratchKey {
 public:
  ScratchKey(HKEY root, std::wstring path) : root(root), path(std::move(path)) {
    RegCreateKeyExW(root, this->path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(), nullptr);
  }
  ~ScratchKey() {
    key.reset();
    RegDeleteTreeW(root, path.c_str());
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  void SetString(const std::wstring& name, const std::wstring& value, DWORD type = REG_SZ) {
    RegSetValueExW(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  void SetSubkeyString(const std::wstring& subkey, const std::wstring& name, const std::wstring& value) {
    UniqueRegistryKey child;
    RegCreateKeyExW(key.get(), subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, child.receive(), nullptr);
    RegSetValueExW(child.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  void SetBytes(const std::wstring& name, const std::string& bytes, DWORD type) {
    RegSetValueExW(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
  }

  HKEY root;
  std::wstring path;
  UniqueRegistryKey key;
};

std::wstring ScratchPath() { return L"Software\\quendra-registry-test-" + std::to_wstring(GetCurrentProcessId()); }

TEST(RegistryKeyTest, OpenFailsForAMissingKeyAndReadsNothing) {
  RegistryKey key(HKEY_CURRENT_USER);
  EXPECT_FALSE(key.Open(ScratchPath() + L"\\missing"));
  EXPECT_EQ(L"", key.ReadString(L"anything"));
  EXPECT_TRUE(key.GetValueNames().empty());
}

TEST(RegistryKeyTest, ReadStringGivesTextUpToTheFirstZero) {
  ScratchKey scratch(HKEY_CURRENT_USER, ScratchPath());
  scratch.SetString(L"", L"the default");
  scratch.SetString(L"plain", L"C:\\Program Files\\Java");
  scratch.SetString(L"expand", L"%APPDATA%\\x", REG_EXPAND_SZ);
  scratch.SetString(L"empty", L"");
  // No terminator, odd length: the text still ends inside the buffer.
  scratch.SetBytes(L"unterminated", std::string("a\0b\0c", 5), REG_SZ);
  scratch.SetBytes(L"number", std::string("\x41\0\0\0", 4), REG_DWORD);
  struct Case {
    const wchar_t* name;
    const wchar_t* text;
  };
  const Case kCases[] = {{L"", L"the default"},     {L"plain", L"C:\\Program Files\\Java"},
                         {L"expand", L"%APPDATA%\\x"}, {L"empty", L""},
                         {L"unterminated", L"abc"},  {L"number", L"A"},
                         {L"missing", L""}};
  RegistryKey key(HKEY_CURRENT_USER);
  ASSERT_TRUE(key.Open(ScratchPath()));
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.name);
    EXPECT_EQ(c.text, key.ReadString(c.name));
  }
}

TEST(RegistryKeyTest, ValueNamesIncludeTheDefaultAndLongNamesWhole) {
  ScratchKey scratch(HKEY_CURRENT_USER, ScratchPath());
  std::wstring longName(300, L'n');
  std::wstring longerName(1000, L'm');
  scratch.SetString(L"first", L"1");
  scratch.SetString(longName, L"2");
  scratch.SetString(L"", L"default");
  scratch.SetString(longerName, L"3");
  scratch.SetString(L"last", L"4");
  RegistryKey key(HKEY_CURRENT_USER);
  ASSERT_TRUE(key.Open(ScratchPath()));
  std::vector<std::wstring> names = key.GetValueNames();
  std::sort(names.begin(), names.end());
  std::vector<std::wstring> expected = {L"", L"first", L"last", longerName, longName};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, names);
  EXPECT_EQ(L"2", key.ReadString(longName));
}

TEST(RegistryKeyTest, OpenAgainSwitchesKeysAndCloseForgets) {
  ScratchKey first(HKEY_CURRENT_USER, ScratchPath() + L"\\first");
  ScratchKey second(HKEY_CURRENT_USER, ScratchPath() + L"\\second");
  first.SetString(L"v", L"one");
  second.SetString(L"v", L"two");
  RegistryKey key(HKEY_CURRENT_USER);
  ASSERT_TRUE(key.Open(first.path));
  EXPECT_EQ(L"one", key.ReadString(L"v"));
  ASSERT_TRUE(key.Open(second.path));
  EXPECT_EQ(L"two", key.ReadString(L"v"));
  EXPECT_FALSE(key.Open(ScratchPath() + L"\\third"));
  EXPECT_EQ(L"", key.ReadString(L"v"));
  ASSERT_TRUE(key.Open(first.path));
  key.Close();
  EXPECT_EQ(L"", key.ReadString(L"v"));
  RegDeleteTreeW(HKEY_CURRENT_USER, ScratchPath().c_str());
}

// The registered runtime below HKEY_LOCAL_MACHINE, made for each case. The
// process's HKEY_LOCAL_MACHINE is a scratch key of the current user meanwhile, so
// that other tests of the prefix that register a runtime are not disturbed.
class SystemJavaHomeTest : public testing::Test {
 protected:
  SystemJavaHomeTest() { RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine.key.get()); }
  ~SystemJavaHomeTest() override { RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr); }

  void Register(const std::wstring& version, const std::wstring& home) {
    runtime.SetString(L"CurrentVersion", version);
    runtime.SetSubkeyString(version, L"JavaHome", home);
  }

  ScratchKey machine{HKEY_CURRENT_USER, ScratchPath() + L"-machine"};
  ScratchKey runtime{machine.key.get(), L"SOFTWARE\\JavaSoft\\Java Runtime Environment"};
  TestFolder home;
  WindowsPlatform platform;
};

TEST_F(SystemJavaHomeTest, OnlyWithClassDataSharingOff) {
  Register(L"1.8", home.path);
  const AppCDSMode kModes[] = {AppCDSMode::Undetermined, AppCDSMode::On, AppCDSMode::Auto,
                               AppCDSMode::GenerateCache};
  for (AppCDSMode mode : kModes) {
    platform.SetAppCDSMode(mode);
    EXPECT_EQ(L"", platform.FindSystemJavaHome()) << static_cast<int>(mode);
    EXPECT_EQ(L"", platform.FindSystemJvmLibrary()) << static_cast<int>(mode);
  }
  platform.SetAppCDSMode(AppCDSMode::Off);
  EXPECT_EQ(home.path, platform.FindSystemJavaHome());
  home.Write(L"bin\\client\\jvm.dll", "MZ");
  EXPECT_EQ(home / L"bin\\client\\jvm.dll", platform.FindSystemJvmLibrary());
}

TEST_F(SystemJavaHomeTest, EmptyWhenAnyStepIsMissing) {
  platform.SetAppCDSMode(AppCDSMode::Off);
  EXPECT_EQ(L"", platform.FindSystemJavaHome()) << "no CurrentVersion";
  runtime.SetString(L"CurrentVersion", L"9");
  EXPECT_EQ(L"", platform.FindSystemJavaHome()) << "no key for the version";
  Register(L"9", home / L"missing");
  EXPECT_EQ(L"", platform.FindSystemJavaHome()) << "JavaHome folder missing";
  EXPECT_EQ(L"", platform.FindSystemJvmLibrary());
}

}  // namespace
