#include "jvm/JvmLibrary.h"

#include "launch/MessageCatalog.h"
#include "platform/Platform.h"

namespace {

using CreateJavaVMFunction = jint(JNICALL*)(JavaVM**, void**, void*);

}  // namespace

bool JvmLibrary::CreateJavaVM(JavaVM** vm, JNIEnv** env, JavaVMInitArgs* args) {
  Platform& platform = Platform::GetInstance();
  if (entryPoint == nullptr) entryPoint = GetSymbol("JNI_CreateJavaVM");
  if (entryPoint == nullptr) {
    platform.ShowError(MessageCatalog::GetInstance().GetMessage(L"failed.locating.jvm.entry.point"));
    return false;
  }
  auto create = reinterpret_cast<CreateJavaVMFunction>(entryPoint);
  if (create(vm, reinterpret_cast<void**>(env), args) < 0) {
    platform.ShowError(MessageCatalog::GetInstance().GetMessage(L"failed.creating.jvm"));
    return false;
  }
  return true;
}
