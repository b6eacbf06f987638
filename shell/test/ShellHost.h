#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "ComReference.h"
#include "DropDataObject.h"

// Registers the built extension with regsvr32 for the life of the scope, per machine
// or per user, and takes it away again afterwards together with any shared key the
// registration had to create.
class RegistrationScope {
 public:
  enum class Scope { Machine, User };
  explicit RegistrationScope(Scope scope);
  ~RegistrationScope();
  RegistrationScope(const RegistrationScope&) = delete;
  RegistrationScope& operator=(const RegistrationScope&) = delete;

  DWORD RegisterExitCode() const { return registerExitCode; }
  DWORD Unregister();  // exit code of regsvr32 /u; the destructor does not repeat it

  static std::wstring Regsvr32(Scope scope, bool unregister);
  // Where the classes of each scope are stored: HKEY_CLASSES_ROOT shows both.
  static HKEY ClassesHive(Scope scope);
  static constexpr wchar_t kClasses[] = L"Software\\Classes\\";

 private:
  Scope scope;
  std::vector<std::wstring> createdSharedKeys;
  DWORD registerExitCode;
  bool registered;
};

struct MenuEntry {
  std::wstring text;
  UINT id = 0;
  HMENU submenu = nullptr;
  HBITMAP uncheckedBitmap = nullptr;
  HBITMAP checkedBitmap = nullptr;
  UINT type = 0;
};

// Reads an item of a menu back by position.
MenuEntry ReadMenuEntry(HMENU menu, int position);
std::vector<MenuEntry> ReadMenuEntries(HMENU menu);

// Creates the handler the way Explorer does, through COM by its class id, and drives it.
class HandlerDriver {
 public:
  HRESULT Create();
  HRESULT Initialize(const std::vector<std::wstring>& paths,
                     DropDataObject::Offer offer = DropDataObject::Offer::DropList);
  IContextMenu* Menu() const { return contextMenu.Get(); }
  IShellExtInit* Init() const { return shellExtInit.Get(); }
  HRESULT Invoke(UINT_PTR verb, HWND owner = nullptr);

 private:
  ComReference<IShellExtInit> shellExtInit;
  ComReference<IContextMenu> contextMenu;
};

// The arguments the recording quendra3.exe was started with, or nothing when it did
// not run within the wait.
std::vector<std::wstring> WaitForRecordedArguments(const std::wstring& recordFile, DWORD waitMs);
