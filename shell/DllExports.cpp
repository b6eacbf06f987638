// The entry points through which Windows, COM and regsvr32 reach the server.
#include <windows.h>

#include "Cquendra3shellModule.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Cquendra3shellModule::GetInstance().Attach(instance);
    ::DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllCanUnloadNow() { return Cquendra3shellModule::GetInstance().CanUnloadNow(); }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  return Cquendra3shellModule::GetInstance().GetClassObject(clsid, iid, object);
}

STDAPI DllRegisterServer() { return Cquendra3shellModule::GetInstance().RegisterServer(); }

STDAPI DllUnregisterServer() { return Cquendra3shellModule::GetInstance().UnregisterServer(); }

STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
  return Cquendra3shellModule::GetInstance().Install(install, commandLine);
}

}  // extern "C"
