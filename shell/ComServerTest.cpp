// The five exports and the class factory, reached by loading the DLL directly.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "ComReference.h"
#include "Identifiers.h"
#include "TestSupport.h"

namespace {

using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(WINAPI*)();

class ComServerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    library.Reset(::LoadLibraryW(ShellDllPath().c_str()));
    ASSERT_TRUE(library);
    getClassObject = Function<GetClassObjectFunction>("DllGetClassObject");
    canUnloadNow = Function<CanUnloadNowFunction>("DllCanUnloadNow");
    ASSERT_NE(nullptr, getClassObject);
    ASSERT_NE(nullptr, canUnloadNow);
  }
  void TearDown() override {
    library.Reset();
    ::CoUninitialize();
  }
  template <typename F>
  F Function(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(library.Get(), name)));
  }
  ComReference<IClassFactory> Factory() {
    ComReference<IClassFactory> factory;
    EXPECT_EQ(S_OK, getClassObject(kClsidQuendra3menu, IID_IClassFactory, factory.ReceiveVoid()));
    return factory;
  }

  UniqueLibrary library;
  GetClassObjectFunction getClassObject = nullptr;
  CanUnloadNowFunction canUnloadNow = nullptr;
};

TEST_F(ComServerTest, ClassObjectRequestsAreChecked) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_POINTER, getClassObject(kClsidQuendra3menu, IID_IClassFactory, nullptr));
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(kLibidQuendra3shellLib, IID_IClassFactory,
                                                      &object));
  EXPECT_EQ(nullptr, object);
  object = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, getClassObject(kClsidQuendra3menu, IID_IDispatch, &object));
  EXPECT_EQ(nullptr, object);
  ComReference<IUnknown> unknown;
  EXPECT_EQ(S_OK, getClassObject(kClsidQuendra3menu, IID_IUnknown, unknown.ReceiveVoid()));
}

TEST_F(ComServerTest, FactoryIsCreatedOnceAndKept) {
  IClassFactory* first = Factory().Get();
  ComReference<IClassFactory> second = Factory();
  EXPECT_EQ(first, second.Get());
}

TEST_F(ComServerTest, FactoryRefusesAggregationAndUnknownInterfaces) {
  ComReference<IClassFactory> factory = Factory();
  ASSERT_TRUE(factory);
  ComReference<IUnknown> outer;
  ASSERT_HRESULT_SUCCEEDED(
      factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(outer.Receive())));
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer.Get(), IID_IUnknown, &object));
  EXPECT_EQ(nullptr, object);
  object = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, kIidIquendra3menu, &object));
  EXPECT_EQ(nullptr, object);
}

TEST_F(ComServerTest, HandlerAnswersForTheShellInterfacesOnly) {
  ComReference<IClassFactory> factory = Factory();
  ASSERT_TRUE(factory);
  ComReference<IShellExtInit> init;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IShellExtInit, init.ReceiveVoid()));
  ComReference<IContextMenu> menu;
  EXPECT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, menu.ReceiveVoid()));
  ComReference<IUnknown> fromMenu, fromInit;
  ASSERT_EQ(S_OK, menu->QueryInterface(IID_IUnknown, fromMenu.ReceiveVoid()));
  ASSERT_EQ(S_OK, init->QueryInterface(IID_IUnknown, fromInit.ReceiveVoid()));
  EXPECT_EQ(fromInit.Get(), fromMenu.Get());
  for (REFIID iid : {IID_IDispatch, kIidIquendra3menu, IID_IContextMenu2, IID_IClassFactory}) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, init->QueryInterface(iid, &object));
    EXPECT_EQ(nullptr, object);
  }
}

TEST_F(ComServerTest, UnloadWaitsForLiveObjectsAndLocks) {
  ComReference<IClassFactory> factory = Factory();
  ASSERT_TRUE(factory);
  // Holding the factory alone does not keep the module; LockServer is how to.
  EXPECT_EQ(S_OK, canUnloadNow());
  ComReference<IContextMenu> first, second;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IContextMenu, first.ReceiveVoid()));
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IContextMenu, second.ReceiveVoid()));
  EXPECT_NE(first.Get(), second.Get());
  EXPECT_EQ(S_FALSE, canUnloadNow());
  first.Reset();
  EXPECT_EQ(S_FALSE, canUnloadNow());
  second.Reset();
  EXPECT_EQ(S_OK, canUnloadNow());
  EXPECT_EQ(S_OK, factory->LockServer(TRUE));
  EXPECT_EQ(S_OK, factory->LockServer(TRUE));
  EXPECT_EQ(S_FALSE, canUnloadNow());
  factory->LockServer(FALSE);
  EXPECT_EQ(S_FALSE, canUnloadNow());
  factory->LockServer(FALSE);
  EXPECT_EQ(S_OK, canUnloadNow());
}

}  // namespace
