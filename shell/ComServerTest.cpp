// The five exports and the class factory, reached by loading the DLL directly.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "ComReference.h"
#include "Identifiers.h"
#include "fixtures/TestSupport.h"

namespace {

using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(WINAPI*)();

class ComServerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    library.reset(::LoadLibraryW(ShellDllPath().c_str()));
    ASSERT_TRUE(library);
    getClassObject = Function<GetClassObjectFunction>("DllGetClassObject");
    canUnloadNow = Function<CanUnloadNowFunction>("DllCanUnloadNow");
    ASSERT_NE(nullptr, getClassObject);
    ASSERT_NE(nullptr, canUnloadNow);
  }
  void TearDown() override {
    library.reset();
    ::CoUninitialize();
  }
  template <typename F>
  F Function(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(library.get(), name)));
  }
  ComReference<IClassFactory> Factory() {
    ComReference<IClassFactory> factory;
    EXPECT_EQ(S_OK, getClassObject(kClsidQuendra3menu, IID_IClassFactory, factory.receiveVoid()));
    return factory;
  }

  UniqueModule library;
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
  EXPECT_EQ(S_OK, getClassObject(kClsidQuendra3menu, IID_IUnknown, unknown.receiveVoid()));
}

TEST_F(ComServerTest, FactoryIsCreatedOnceAndKept) {
  IClassFactory* first = Factory().get();
  ComReference<IClassFactory> second = Factory();
  EXPECT_EQ(first, second.get());
}

TEST_F(ComServerTest, FactoryRefusesAggregationAndUnknownInterfaces) {
  ComReference<IClassFactory> factory = Factory();
  ASSERT_TRUE(factory);
  ComReference<IUnknown> outer;
  ASSERT_HRESULT_SUCCEEDED(
      factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(outer.receive())));
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer.get(), IID_IUnknown, &object));
  EXPECT_EQ(nullptr, object);
  object = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, kIidIquendra3menu, &object));
  EXPECT_EQ(nullptr, object);
}

TEST_F(ComServerTest, HandlerAnswersForTheShellInterfacesOnly) {
  ComReference<IClassFactory> factory = Factory();
  ASSERT_TRUE(factory);
  ComReference<IShellExtInit> init;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IShellExtInit, init.receiveVoid()));
  ComReference<IContextMenu> menu;
  EXPECT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, menu.receiveVoid()));
  ComReference<IUnknown> fromMenu, fromInit;
  ASSERT_EQ(S_OK, menu->QueryInterface(IID_IUnknown, fromMenu.receiveVoid()));
  ASSERT_EQ(S_OK, init->QueryInterface(IID_IUnknown, fromInit.receiveVoid()));
  EXPECT_EQ(fromInit.get(), fromMenu.get());
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
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IContextMenu, first.receiveVoid()));
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IContextMenu, second.receiveVoid()));
  EXPECT_NE(first.get(), second.get());
  EXPECT_EQ(S_FALSE, canUnloadNow());
  first.reset();
  EXPECT_EQ(S_FALSE, canUnloadNow());
  second.reset();
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
