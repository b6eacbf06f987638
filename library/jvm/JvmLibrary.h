#ifndef QUENDRA_JVM_JVMLIBRARY_H
#define QUENDRA_JVM_JVMLIBRARY_H

#include <jni.h>

#include "platform/SharedLibrary.h"

// The Java runtime's JVM library with its JNI_CreateJavaVM entry. It must stay
// loaded for as long as a VM made from it exists.
class JvmLibrary : public SharedLibrary {
 public:
  // Looks the entry up on first use and calls it with the arguments unchanged.
  // True: the VM exists, both pointers are set and this thread is attached.
  // False after showing "failed.locating.jvm.entry.point" (no entry, or the library
  // did not load) or "failed.creating.jvm" (the entry answered a negative value).
  bool CreateJavaVM(JavaVM** vm, JNIEnv** env, JavaVMInitArgs* args);

 private:
  void* entryPoint = nullptr;
};

#endif
