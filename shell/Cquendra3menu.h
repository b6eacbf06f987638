#ifndef QUENDRA_SHELL_CQUENDRA3MENU_H
#define QUENDRA_SHELL_CQUENDRA3MENU_H

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "MenuItems.h"
#include "ServerLock.h"
#include "platform/WindowsHandles.h"

// The context-menu handler Explorer creates for each context menu of files and
// folders. It answers for IShellExtInit and IContextMenu; while it lives, the server
// holds one lock.
class Cquendra3menu final : public IShellExtInit, public IContextMenu {
 public:
  // Creates a handler with the resources of `module` and queries it for `iid`;
  // `object` receives the only reference.
  static HRESULT Create(HINSTANCE module, REFIID iid, void** object);

  // IUnknown
  IFACEMETHODIMP QueryInterface(REFIID iid, void** object) override;
  IFACEMETHODIMP_(ULONG) AddRef() override;
  IFACEMETHODIMP_(ULONG) Release() override;

  // IShellExtInit: S_OK when the selection offers at least one item.
  IFACEMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY programId) override;

  // IContextMenu
  IFACEMETHODIMP QueryContextMenu(HMENU menu, UINT position, UINT firstId, UINT lastId,
                                  UINT flags) override;
  IFACEMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  IFACEMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT* reserved, CHAR* name,
                                  UINT capacity) override;

 private:
  explicit Cquendra3menu(HINSTANCE module);
  ~Cquendra3menu();

  HRESULT ReadSelection(IDataObject* data);
  HRESULT ReadDropList(HDROP drop);
  bool InsertSubmenu(HMENU menu, UINT position, UINT firstId, HMENU popup) const;
  UINT FillSubmenu(HMENU popup, UINT firstId, MenuLanguage language) const;
  void AttachPicture(HMENU menu, UINT position) const;

  // First, so that the lock goes only after everything else the handler holds.
  ServerLock serverLock;
  LONG referenceCount = 1;
  UniqueBitmap menuBitmap;
  std::vector<std::wstring> selectedPaths;
  ItemSwitches itemSwitches{};
};

#endif
