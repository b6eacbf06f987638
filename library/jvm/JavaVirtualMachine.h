#ifndef QUENDRA_JVM_JAVAVIRTUALMACHINE_H
#define QUENDRA_JVM_JAVAVIRTUALMACHINE_H

#include <jni.h>

#include <memory>

#include "config/OrderedTable.h"

class AppPackage;
class JvmLibrary;
class JvmOptionList;
struct PackageSettings;

// The package's JVM in this process: created on the launch thread, which then runs
// the main class on itself.
class JavaVirtualMachine {
 public:
  JavaVirtualMachine();
  JavaVirtualMachine(const JavaVirtualMachine&) = delete;
  JavaVirtualMachine& operator=(const JavaVirtualMachine&) = delete;
  // Unloads the JVM library unless a VM made from it was never destroyed.
  ~JavaVirtualMachine();

  // Assembles the options, loads the JVM library, creates the VM and calls the main
  // class's main with the application arguments; returns when main returns. True:
  // main ended without a Java exception, and `env` and `vm` are set with this thread
  // still attached. False after every failure has been shown to the user. The
  // package's settings are released just before main is called.
  bool StartJVM();

  // Unloads the JVM library; for after DestroyJavaVM has returned.
  void ReleaseLibrary();

  // The user's JVM option table made ready for the option list: a name ending in
  // "=" loses it, otherwise a value beginning with "=" loses that, otherwise name
  // and value are joined into the name.
  static OrderedTable PrepareUserOptions(OrderedTable table);

  // Every option of the start but the splash screen, in their fixed order: the four
  // system properties, the package's JVM options, the user's (prepared), the heap.
  static void AddPackageOptions(const PackageSettings& settings, OrderedTable userOptions, JvmOptionList& options);

  JNIEnv* env = nullptr;
  JavaVM* vm = nullptr;

 private:
  bool LoadLibraryAndCreate(AppPackage& package, JvmOptionList& options);
  void RunMainClass(AppPackage& package, const std::wstring& mainClassName);

  std::unique_ptr<JvmLibrary> library;
};

#endif
