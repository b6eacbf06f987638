#include "Cquendra3menu.h"

#include "ApplicationStart.h"
#include "ComFence.h"
#include "ComReference.h"
#include "GlobalMemoryLock.h"
#include "MenuPicture.h"
#include "MenuSelection.h"

namespace {

// Owns the storage medium a data object hands out.
class StorageMedium {
 public:
  StorageMedium() noexcept : medium{} {}
  StorageMedium(const StorageMedium&) = delete;
  StorageMedium& operator=(const StorageMedium&) = delete;
  ~StorageMedium() {
    if (medium.tymed != TYMED_NULL) ::ReleaseStgMedium(&medium);
  }
  STGMEDIUM* receive() noexcept { return &medium; }
  const STGMEDIUM& get() const noexcept { return medium; }

 private:
  STGMEDIUM medium;
};

// Menus take their texts through a non-const pointer but only read them.
wchar_t* MenuText(const wchar_t* text) { return const_cast<wchar_t*>(text); }

HRESULT LastErrorResult(DWORD error) {
  return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

}  // namespace

HRESULT Cquendra3menu::Create(HINSTANCE module, REFIID iid, void** object) {
  // The reference the object is born with goes when this scope ends, so the
  // caller's reference, if the query gave one, is the only one left.
  ComReference<IShellExtInit> created(new Cquendra3menu(module));
  return created->QueryInterface(iid, object);
}

Cquendra3menu::Cquendra3menu(HINSTANCE module) : menuBitmap(PrepareMenuPicture(module)) {}

Cquendra3menu::~Cquendra3menu() = default;

IFACEMETHODIMP Cquendra3menu::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IShellExtInit)) {
    *object = static_cast<IShellExtInit*>(this);
  } else if (IsEqualIID(iid, IID_IContextMenu)) {
    *object = static_cast<IContextMenu*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

IFACEMETHODIMP_(ULONG) Cquendra3menu::AddRef() { return ::InterlockedIncrement(&referenceCount); }

IFACEMETHODIMP_(ULONG) Cquendra3menu::Release() {
  ULONG remaining = ::InterlockedDecrement(&referenceCount);
  if (remaining == 0) delete this;
  return remaining;
}

IFACEMETHODIMP Cquendra3menu::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) {
  return Fenced([&] { return ReadSelection(data); });
}

HRESULT Cquendra3menu::ReadSelection(IDataObject* data) {
  // Explorer may call Initialize again on the same object; start from an empty list.
  selectedPaths.clear();
  itemSwitches = ItemSwitches{};
  if (data == nullptr) return E_INVALIDARG;
  FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  StorageMedium medium;
  if (FAILED(data->GetData(&format, medium.receive()))) return E_INVALIDARG;
  if (medium.get().tymed != TYMED_HGLOBAL) return E_INVALIDARG;
  GlobalMemoryLock lock(medium.get().hGlobal);
  if (lock.Data() == nullptr) return E_INVALIDARG;
  return ReadDropList(static_cast<HDROP>(medium.get().hGlobal));
}

HRESULT Cquendra3menu::ReadDropList(HDROP drop) {
  UINT count = DroppedItemCount(drop);
  if (count == 0) return E_INVALIDARG;
  std::vector<std::wstring> droppedPaths;
  for (UINT index = 0; index < count; ++index) {
    if (std::optional<std::wstring> path = ReadDroppedPath(drop, index)) {
      droppedPaths.push_back(std::move(*path));
    }
  }
  MenuSelection selection = ClassifySelection(droppedPaths, QueryFileAttributes);
  selectedPaths = std::move(selection.selectedPaths);
  itemSwitches = selection.itemSwitches;
  bool anySwitch = false;
  for (bool on : itemSwitches) anySwitch = anySwitch || on;
  return !selectedPaths.empty() && anySwitch ? S_OK : E_INVALIDARG;
}

IFACEMETHODIMP Cquendra3menu::QueryContextMenu(HMENU menu, UINT position, UINT firstId, UINT,
                                               UINT flags) {
  return Fenced([&]() -> HRESULT {
    if ((flags & CMF_DEFAULTONLY) != 0) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
    MenuLanguage language = MenuLanguageFor(::GetUserDefaultLangID());
    UniqueMenu popup(::CreatePopupMenu());
    if (!popup) return LastErrorResult(::GetLastError());
    if (!InsertSubmenu(menu, position, firstId, popup.get())) {
      return LastErrorResult(::GetLastError());
    }
    // The menu now owns the popup and destroys it with itself.
    HMENU submenu = popup.release();
    AttachPicture(menu, position);
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, FillSubmenu(submenu, firstId, language));
  });
}

bool Cquendra3menu::InsertSubmenu(HMENU menu, UINT position, UINT firstId, HMENU popup) const {
  MENUITEMINFOW item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_ID;
  item.wID = firstId;
  item.hSubMenu = popup;
  item.dwTypeData = MenuText(kSubmenuText);
  return ::InsertMenuItemW(menu, position, TRUE, &item) != FALSE;
}

// Gives the number of command ids used: an item keeps its offset when items before it
// are left out, and the submenu's own item takes the first id in any case.
UINT Cquendra3menu::FillSubmenu(HMENU popup, UINT firstId, MenuLanguage language) const {
  UINT used = 1;
  UINT nextPosition = 0;
  for (const MenuItem& entry : MenuItems()) {
    if (!itemSwitches[entry.offset]) continue;
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING | MIIM_ID;
    item.wID = firstId + entry.offset;
    item.dwTypeData = MenuText(MenuItemText(entry, language));
    if (!::InsertMenuItemW(popup, nextPosition, TRUE, &item)) continue;
    AttachPicture(popup, nextPosition++);
    used = entry.offset + 1;
  }
  return used;
}

void Cquendra3menu::AttachPicture(HMENU menu, UINT position) const {
  if (menuBitmap) ::SetMenuItemBitmaps(menu, position, MF_BYPOSITION, menuBitmap.get(), nullptr);
}

IFACEMETHODIMP Cquendra3menu::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  return Fenced([&]() -> HRESULT {
    if (info == nullptr) return E_INVALIDARG;
    // A verb is either a string or a command offset in the low word; on 64-bit a string
    // pointer may have zeros in bits 16 to 31, so every bit above the low word counts.
    ULONG_PTR verb = reinterpret_cast<ULONG_PTR>(info->lpVerb);
    if ((verb >> 16) != 0) return E_INVALIDARG;
    if (verb >= kMenuItemCount) return E_INVALIDARG;
    return StartApplication(MenuItems()[verb].flag, info->hwnd, selectedPaths,
                            MenuLanguageFor(::GetUserDefaultLangID()),
                            WindowsApplicationStartServices());
  });
}

IFACEMETHODIMP Cquendra3menu::GetCommandString(UINT_PTR, UINT, UINT*, CHAR*, UINT) {
  return E_INVALIDARG;
}
