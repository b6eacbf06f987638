#include "ApplicationStart.h"

#include <algorithm>
#include <cwchar>

#include "platform/WindowsHandles.h"

namespace {

constexpr wchar_t kInstallationKey[] = L"SOFTWARE\\quendra3";
constexpr wchar_t kInstalledValue[] = L"Installed";
constexpr wchar_t kProgramName[] = L"quendra3.exe";
constexpr wchar_t kRegistryErrorCaption[] = L"Error reading registry";
constexpr wchar_t kRegistryErrorText[] = L"Failed to read registry value:\r\n";
// 520 bytes: 260 UTF-16 characters, the terminator included.
constexpr std::size_t kInstalledCapacity = 260;
// The longest command line a process can be created with, its terminator included.
constexpr std::size_t kCommandLineCapacity = 32767;

void ShowErrorBox(HWND owner, const wchar_t* text, const wchar_t* caption) {
  ::MessageBoxW(owner, text, caption, MB_OK | MB_ICONERROR);
}

void ExecuteShell(SHELLEXECUTEINFOW& info) { ::ShellExecuteExW(&info); }

const ApplicationStartServices kWindowsServices = {ShowErrorBox, ExecuteShell};

bool OpenInstallationKey(HKEY root, UniqueRegistryKey& key) {
  return ::RegOpenKeyExW(root, kInstallationKey, 0, KEY_QUERY_VALUE, key.receive()) ==
         ERROR_SUCCESS;
}

// The second line always names the machine key, whichever key was tried last.
std::wstring RegistryErrorText() {
  return std::wstring(kRegistryErrorText) + L"HKLM\\" + kInstallationKey + L"\\" +
         kInstalledValue;
}

// Wraps a path in quotes the way the started program splits its command line: a run
// of backslashes means itself, except in front of a quote, where each pair stands
// for one and a lone one escapes the quote. So only the backslashes before the
// closing quote (and before a quote inside, which a path cannot hold) are doubled;
// any other path reads exactly as it is.
void AppendQuoted(std::wstring& text, const std::wstring& path) {
  text += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : path) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    text += c;
    backslashes = 0;
  }
  text.append(backslashes * 2, L'\\');
  text += L'"';
}

// The shell starts the program with the command line "<program>" <parameters>, and a
// process's command line holds at most 32,767 characters with its terminator: Windows
// refuses a longer one, Wine cuts it. The quotes and the blank are counted even where
// the shell might leave the quotes out, and the program as the longer of the path we
// give and its full form, in case the shell makes a relative folder absolute. This may
// refuse a few characters early, but never lets a shortened list through.
std::size_t ParameterCapacity(const std::wstring& program) {
  std::size_t programLength = program.size();
  DWORD full = ::GetFullPathNameW(program.c_str(), 0, nullptr, nullptr);
  if (full > 0) programLength = std::max<std::size_t>(programLength, full - 1);
  std::size_t fixed = programLength + 2 + 1 + 1;  // quotes, blank, terminator
  return fixed < kCommandLineCapacity ? kCommandLineCapacity - fixed : 0;
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
    return ReadInstalledValue(key.get());
  }
  return std::nullopt;
}

std::wstring BuildParameterText(const wchar_t* flag, const std::vector<std::wstring>& paths) {
  std::wstring text = flag;
  for (const std::wstring& path : paths) {
    text += L' ';
    AppendQuoted(text, path);
  }
  return text;
}

HRESULT StartApplication(const wchar_t* flag, HWND owner, const std::vector<std::wstring>& paths,
                         MenuLanguage language, const ApplicationStartServices& services) {
  std::optional<std::wstring> folder = FindInstallationFolder();
  if (!folder) {
    services.showError(owner, RegistryErrorText().c_str(), kRegistryErrorCaption);
    return E_INVALIDARG;
  }
  if (paths.empty()) return E_INVALIDARG;
  std::wstring program = *folder + kProgramName;
  std::wstring parameters = BuildParameterText(flag, paths);
  // A cut list would reach the application as a different selection, its last name a
  // fragment; the error is the one the system gives for a command line too long.
  if (parameters.size() > ParameterCapacity(program)) {
    services.showError(owner, MenuMessageText(MenuMessageId::SelectionTooLarge, language),
                       kSubmenuText);
    return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
  }
  ExecuteProgram(program, parameters, services);
  return S_OK;
}
