#ifndef QUENDRA_SHELL_CQUENDRA3SHELLMODULE_H
#define QUENDRA_SHELL_CQUENDRA3SHELLMODULE_H

#include <windows.h>
#include <unknwn.h>

#include "ComReference.h"

// The state of the COM server: its module handle, the class factory it hands out
// and the registration scope. The count of live objects and locks is ServerLock's.
class Cquendra3shellModule {
 public:
  static Cquendra3shellModule& GetInstance();

  Cquendra3shellModule();
  ~Cquendra3shellModule();
  Cquendra3shellModule(const Cquendra3shellModule&) = delete;
  Cquendra3shellModule& operator=(const Cquendra3shellModule&) = delete;

  void Attach(HINSTANCE module) noexcept { instance = module; }

  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);
  HRESULT CanUnloadNow() const noexcept;
  HRESULT RegisterServer();
  HRESULT UnregisterServer();
  HRESULT Install(BOOL install, const wchar_t* commandLine);

 private:
  HRESULT CachedFactory(IClassFactory*& factory);

  HINSTANCE instance = nullptr;
  CRITICAL_SECTION factoryGuard;
  bool started = false;
  ComReference<IClassFactory> classFactory;
  bool perUserRegistration = false;
};

#endif
