#include "ShellHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "Identifiers.h"
#include "TestSupport.h"

namespace {

const wchar_t* const kSharedTopKeys[] = {L"AppID", L"CLSID", L"*", L"Folder"};

}  // namespace

HKEY RegistrationScope::ClassesHive(Scope scope) {
  return scope == Scope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::wstring RegistrationScope::Regsvr32(Scope scope, bool unregister) {
  std::wstring line = L"regsvr32.exe /s";
  if (unregister) line += L" /u";
  if (scope == Scope::User) line += L" /n /i:user";
  return line + L" \"" + ShellDllPath() + L"\"";
}

RegistrationScope::RegistrationScope(Scope scope) : scope(scope) {
  for (const wchar_t* key : kSharedTopKeys) {
    std::wstring path = std::wstring(kClasses) + key;
    if (!KeyExists(ClassesHive(scope), path)) createdSharedKeys.push_back(path);
  }
  registerExitCode = RunProcess(Regsvr32(scope, false));
  registered = true;
}

DWORD RegistrationScope::Unregister() {
  registered = false;
  return RunProcess(Regsvr32(scope, true));
}

RegistrationScope::~RegistrationScope() {
  if (registered) Unregister();
  for (const std::wstring& key : createdSharedKeys) DeleteKey(ClassesHive(scope), key);
}

MenuEntry ReadMenuEntry(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_FTYPE;
  MenuEntry entry;
  if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) return entry;
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  ::GetMenuItemInfoW(menu, position, TRUE, &info);
  text.resize(info.cch);
  entry.text = text;
  entry.id = info.wID;
  entry.submenu = info.hSubMenu;
  entry.uncheckedBitmap = info.hbmpUnchecked;
  entry.checkedBitmap = info.hbmpChecked;
  entry.type = info.fType;
  return entry;
}

std::vector<MenuEntry> ReadMenuEntries(HMENU menu) {
  std::vector<MenuEntry> entries;
  int count = ::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    entries.push_back(ReadMenuEntry(menu, position));
  }
  return entries;
}

HRESULT HandlerDriver::Create() {
  HRESULT hr = ::CoCreateInstance(kClsidQuendra3menu, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IShellExtInit, shellExtInit.ReceiveVoid());
  if (FAILED(hr)) return hr;
  return shellExtInit->QueryInterface(IID_IContextMenu, contextMenu.ReceiveVoid());
}

HRESULT HandlerDriver::Initialize(const std::vector<std::wstring>& paths,
                                  DropDataObject::Offer offer) {
  ComReference<IDataObject> data(new DropDataObject(paths, offer));
  return shellExtInit->Initialize(nullptr, data.Get(), nullptr);
}

HRESULT HandlerDriver::Invoke(UINT_PTR verb, HWND owner) {
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof(info);
  info.hwnd = owner;
  info.lpVerb = reinterpret_cast<LPCSTR>(verb);
  info.nShow = SW_SHOWNORMAL;
  return contextMenu->InvokeCommand(&info);
}

std::vector<std::wstring> WaitForRecordedArguments(const std::wstring& recordFile, DWORD waitMs) {
  for (DWORD waited = 0; waited <= waitMs; waited += 50) {
    if (::GetFileAttributesW(recordFile.c_str()) != INVALID_FILE_ATTRIBUTES) break;
    ::Sleep(50);
  }
  std::ifstream in(std::filesystem::path(recordFile), std::ios::binary);
  if (!in) return {};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  std::vector<std::wstring> arguments;
  for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
       start = end + 1) {
    arguments.push_back(text.substr(start, end - start));
  }
  return arguments;
}
