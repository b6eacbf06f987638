#include "DropDataObject.h"

#include <shlobj.h>

#include <cstring>

#include "UniqueHandle.h"

DropDataObject::DropDataObject(std::vector<std::wstring> paths, Offer offer)
    : paths(std::move(paths)), offer(offer) {}

IFACEMETHODIMP DropDataObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDataObject)) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IDataObject*>(this);
  AddRef();
  return S_OK;
}

IFACEMETHODIMP_(ULONG) DropDataObject::AddRef() { return ::InterlockedIncrement(&referenceCount); }

IFACEMETHODIMP_(ULONG) DropDataObject::Release() {
  ULONG remaining = ::InterlockedDecrement(&referenceCount);
  if (remaining == 0) delete this;
  return remaining;
}

IFACEMETHODIMP DropDataObject::QueryGetData(FORMATETC* format) {
  if (offer == Offer::Nothing || format == nullptr) return DV_E_FORMATETC;
  if (format->cfFormat != CF_HDROP || (format->tymed & TYMED_HGLOBAL) == 0) return DV_E_FORMATETC;
  return format->dwAspect == DVASPECT_CONTENT ? S_OK : DV_E_DVASPECT;
}

IFACEMETHODIMP DropDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  ++requests;
  if (medium == nullptr) return E_POINTER;
  if (HRESULT hr = QueryGetData(format); FAILED(hr)) return hr;
  UniqueGlobalMemory list(MakeDropList());
  if (!list) return E_OUTOFMEMORY;
  if (offer == Offer::DiscardedMemory) list.Reset(::GlobalReAlloc(list.Release(), 0, GMEM_MOVEABLE));
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = list.Release();
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

// DROPFILES followed by the wide paths, each terminated, and one more terminator.
HGLOBAL DropDataObject::MakeDropList() const {
  std::wstring text;
  for (const std::wstring& path : paths) text += path + L'\0';
  text += L'\0';
  SIZE_T bytes = sizeof(DROPFILES) + text.size() * sizeof(wchar_t);
  UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
  if (!memory) return nullptr;
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory.Get()));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, text.data(), text.size() * sizeof(wchar_t));
  ::GlobalUnlock(memory.Get());
  return memory.Release();
}

IFACEMETHODIMP DropDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out != nullptr) out->ptd = nullptr;
  return E_NOTIMPL;
}

IFACEMETHODIMP DropDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}
