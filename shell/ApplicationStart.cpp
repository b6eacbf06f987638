#include "ApplicationStart.h"

#include <cwchar>

#include "UniqueHandle.h"

namespace {

constexpr wchar_t kInstallationKey[] = L"SOFTWARE\\quendra3";
constexpr wchar_t kInstalledValue[] = L"Installed";
constexpr wchar_t kProgramName[] = L"quendra3.exe";
constexpr wchar_t kRegistryErrorCaption[] = L"Error reading registry";
constexpr wchar_t kRegistryErrorText[] = L"Failed to read registry value:\r\n";
// 520 bytes: 260 UTF-16 characters, the terminator included.
constexpr std::size_t kInstalledCapacity = 260;

void ShowErrorBox(HWND owner, const wchar_t* text, const wchar_t* caption) {
  ::MessageBoxW(owner, text, caption, MB_OK | MB_ICONERROR);
}

void ExecuteShell(SHELLEXECUTEINFOW& info) { ::ShellExecuteExW(&info); }

const ApplicationStartServices kWindowsServices = {ShowErrorBox, ExecuteShell};

bool OpenInstallationKey(HKEY root, UniqueRegistryKey& key) {
  return ::RegOpenKeyExW(root, kInstallationKey, 0, KEY_QUERY_VALUE, key.Receive()) ==
         ERROR_SUCCESS;
}

// The second line always names the machine key, whichever key was tried last.
std::wstring RegistryErrorText() {
  return std::wstring(kRegistryErrorText) + L"HKLM\\" + kInstallationKey + L"\\" +
         kInstalledValue;
}

void ExecuteProgram(const std::wstring& program, const std::wstring& parameters,
                    const ApplicationStartServices& services) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOW;
  services.execute(info);
}

}  // namespace

const ApplicationStartServices& WindowsApplicationStartServices() { return kWindowsServices; }

std::optional<std::wstring> ReadInstalledValue(HKEY key) {
  wchar_t buffer[kInstalledCapacity];
  DWORD size = sizeof(buffer);
  if (::RegQueryValueExW(key, kInstalledValue, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  // The registry does not promise a terminator: a value stored without one that
  // fills the buffer leaves no room for it.
  std::size_t stored = size / sizeof(wchar_t);
  std::size_t length = ::wcsnlen(buffer, stored);
  if (length >= kInstalledCapacity) return std::nullopt;
  return std::wstring(buffer, length);
}

std::optional<std::wstring> FindInstallationFolder() {
  UniqueRegistryKey key;
  if (OpenInstallationKey(HKEY_LOCAL_MACHINE, key) || OpenInstallationKey(HKEY_CURRENT_USER, key)) {
    return ReadInstalledValue(key.Get());
  }
  return std::nullopt;
}

std::wstring BuildParameterText(const wchar_t* flag, const std::vector<std::wstring>& paths) {
  std::wstring text = flag;
  for (const std::wstring& path : paths) {
    text += L" \"";
    text += path;
    text += L'"';
  }
  return text;
}

HRESULT StartApplication(const wchar_t* flag, HWND owner, const std::vector<std::wstring>& paths,
                         const ApplicationStartServices& services) {
  std::optional<std::wstring> folder = FindInstallationFolder();
  if (!folder) {
    services.showError(owner, RegistryErrorText().c_str(), kRegistryErrorCaption);
    return E_INVALIDARG;
  }
  if (paths.empty()) return E_INVALIDARG;
  ExecuteProgram(*folder + kProgramName, BuildParameterText(flag, paths), services);
  return S_OK;
}
