#include "jvm/JniClass.h"

#include <cstdarg>

#include "jvm/Exception.h"
#include "launch/MessageCatalog.h"
#include "platform/PlatformString.h"

namespace {

// Names and signatures go to the VM in its modified UTF-8, so that any class name
// the VM can hold is found.
std::string ForVm(const std::wstring& text) {
  return PlatformString::WideStringToModifiedUtf8(text);
}

std::wstring Message(const wchar_t* key) {
  return MessageCatalog::GetInstance().GetMessage(key);
}

}  // namespace

JniStaticMethod::JniStaticMethod(JNIEnv* env, jmethodID methodId, jclass classRef)
    : env(env), methodId(methodId), classRef(classRef) {}

void JniStaticMethod::InvokeVoid(int count, ...) {
  va_list arguments;
  va_start(arguments, count);
  env->CallStaticVoidMethodV(classRef, methodId, arguments);
  va_end(arguments);
  if (env->ExceptionCheck()) throw JavaException(env, Message(L"error.invoking.method"));
}

JniClass::JniClass(JNIEnv* env, const std::wstring& className) : env(env), className(className) {
  classRef = env->FindClass(ForVm(className).c_str());
  if (classRef != nullptr && !env->ExceptionCheck()) return;
  // A reference that came with a pending exception is still ours to delete.
  Release();
  throw JavaException(env, PlatformString::Format(Message(L"class.not.found"), className));
}

JniClass::~JniClass() {
  Release();
}

JniStaticMethod JniClass::FindStaticMethod(const std::wstring& name, const std::wstring& signature) {
  jmethodID methodId = env->GetStaticMethodID(classRef, ForVm(name).c_str(), ForVm(signature).c_str());
  if (methodId == nullptr || env->ExceptionCheck()) {
    throw JavaException(env, PlatformString::Format(Message(L"method.not.found"), name, className));
  }
  return JniStaticMethod(env, methodId, classRef);
}

void JniClass::Release() {
  if (classRef == nullptr) return;
  env->DeleteLocalRef(classRef);
  classRef = nullptr;
}
