#ifndef QUENDRA_SHELL_CQUENDRA3MENUFACTORY_H
#define QUENDRA_SHELL_CQUENDRA3MENUFACTORY_H

#include <windows.h>
#include <unknwn.h>

// Makes a new Cquendra3menu for every request. The module keeps one factory for its
// whole life; references to the factory do not lock the module, LockServer does.
class Cquendra3menuFactory final : public IClassFactory {
 public:
  // `module` is the DLL the handlers take their resources from.
  explicit Cquendra3menuFactory(HINSTANCE module) noexcept : module(module) {}

  IFACEMETHODIMP QueryInterface(REFIID iid, void** object) override;
  IFACEMETHODIMP_(ULONG) AddRef() override;
  IFACEMETHODIMP_(ULONG) Release() override;

  // Aggregation is refused with CLASS_E_NOAGGREGATION.
  IFACEMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  IFACEMETHODIMP LockServer(BOOL lock) override;

 private:
  ~Cquendra3menuFactory() = default;

  HINSTANCE module;
  LONG referenceCount = 1;
};

#endif
