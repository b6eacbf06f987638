#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

// A data object as Explorer hands one to a context-menu handler: it offers the
// chosen paths as a file-drop list (CF_HDROP) in global memory.
class DropDataObject final : public IDataObject {
 public:
  enum class Offer {
    DropList,          // the paths as CF_HDROP
    Nothing,           // no format at all
    DiscardedMemory,   // CF_HDROP in memory that can no longer be locked
  };

  explicit DropDataObject(std::vector<std::wstring> paths, Offer offer = Offer::DropList);

  IFACEMETHODIMP QueryInterface(REFIID iid, void** object) override;
  IFACEMETHODIMP_(ULONG) AddRef() override;
  IFACEMETHODIMP_(ULONG) Release() override;

  IFACEMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  IFACEMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  IFACEMETHODIMP QueryGetData(FORMATETC* format) override;
  IFACEMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
  IFACEMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  IFACEMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC** out) override;
  IFACEMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  IFACEMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  IFACEMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  int RequestCount() const { return requests; }

 private:
  ~DropDataObject() = default;
  HGLOBAL MakeDropList() const;

  LONG referenceCount = 1;
  std::vector<std::wstring> paths;
  Offer offer;
  int requests = 0;
};
