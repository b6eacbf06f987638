#include "TestSupport.h"

#include <gtest/gtest.h>

#include "UniqueHandle.h"

namespace {

constexpr wchar_t kInstallationKey[] = L"SOFTWARE\\quendra3";

std::optional<std::wstring> Saved(HKEY root) {
  return ReadString(root, kInstallationKey, L"Installed");
}

void Restore(HKEY root, const std::optional<std::wstring>& value) {
  DeleteKey(root, kInstallationKey);
  if (value) InstallationRecordScope::Write(root, *value);
}

}  // namespace

std::wstring ExecutableDirectory() {
  wchar_t path[MAX_PATH * 4];
  DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  std::wstring text(path, length);
  return text.substr(0, text.find_last_of(L'\\'));
}

std::wstring ShellDllPath() { return ExecutableDirectory() + L"\\quendra3shell.dll"; }

std::wstring FixtureDirectory() {
  std::wstring relative = ExecutableDirectory() + L"\\" QUENDRA_SHELL_FIXTURE_RELATIVE;
  wchar_t full[MAX_PATH * 4];
  DWORD length = ::GetFullPathNameW(relative.c_str(), MAX_PATH * 4, full, nullptr);
  return std::wstring(full, length) + L"\\";
}

DWORD RunProcess(const std::wstring& commandLine) {
  std::wstring mutableLine = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION information{};
  if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &information)) {
    return ~0u;
  }
  UniqueKernelHandle process(information.hProcess);
  UniqueKernelHandle thread(information.hThread);
  ::WaitForSingleObject(process.Get(), 60000);
  DWORD exitCode = ~0u;
  ::GetExitCodeProcess(process.Get(), &exitCode);
  return exitCode;
}

bool KeyExists(HKEY root, const std::wstring& key) {
  UniqueRegistryKey opened;
  return ::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t data[2048];
  DWORD size = sizeof(data) - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegGetValueW(root, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type != REG_SZ) return L"<not a string>";
  return std::wstring(data, ::wcsnlen(data, size / sizeof(wchar_t)));
}

void WriteString(HKEY root, const std::wstring& key, const wchar_t* name,
                 const std::wstring& data) {
  DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(root, key.c_str(), name, REG_SZ, data.c_str(), bytes));
}

void DeleteKey(HKEY root, const std::wstring& key) { ::RegDeleteTreeW(root, key.c_str()); }

ScratchDirectory::ScratchDirectory() {
  wchar_t temporary[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temporary);
  path = std::wstring(temporary) + L"quendra3shell-" + std::to_wstring(::GetCurrentProcessId()) +
         L"-" + std::to_wstring(::GetTickCount64());
  std::filesystem::create_directories(path);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::wstring ScratchDirectory::File(const std::wstring& name) const {
  std::wstring file = path + L"\\" + name;
  UniqueFile created(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(created.IsValid()) << "cannot create the file";
  return file;
}

std::wstring ScratchDirectory::Folder(const std::wstring& name) const {
  std::wstring folder = path + L"\\" + name;
  std::filesystem::create_directories(folder);
  return folder;
}

InstallationRecordScope::InstallationRecordScope()
    : machine(Saved(HKEY_LOCAL_MACHINE)), user(Saved(HKEY_CURRENT_USER)) {
  DeleteKey(HKEY_LOCAL_MACHINE, kInstallationKey);
  DeleteKey(HKEY_CURRENT_USER, kInstallationKey);
}

InstallationRecordScope::~InstallationRecordScope() {
  Restore(HKEY_LOCAL_MACHINE, machine);
  Restore(HKEY_CURRENT_USER, user);
}

void InstallationRecordScope::Write(HKEY root, const std::wstring& folder) {
  WriteString(root, kInstallationKey, L"Installed", folder);
}

void InstallationRecordScope::WriteBytes(HKEY root, const void* data, DWORD size) {
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegSetKeyValueW(root, kInstallationKey, L"Installed", REG_BINARY, data, size));
}
