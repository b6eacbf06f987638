#include "jvm/JniStringArray.h"

#include "config/OrderedTable.h"
#include "jvm/Exception.h"
#include "jvm/JniClass.h"
#include "jvm/JniLocalRef.h"
#include "platform/PlatformString.h"

namespace {

// A new Java string; the VM's modified UTF-8 keeps a NUL and supplementary
// characters intact.
jstring NewJavaString(JNIEnv* env, const std::wstring& text) {
  jstring string = env->NewStringUTF(PlatformString::WideStringToModifiedUtf8(text).c_str());
  if (string == nullptr || env->ExceptionCheck()) {
    if (string != nullptr) env->DeleteLocalRef(string);
    throw JavaException();
  }
  return string;
}

}  // namespace

JniStringArray::JniStringArray(JNIEnv* env, const std::vector<std::wstring>& strings) : env(env) {
  Allocate(static_cast<jsize>(strings.size()));
  for (size_t i = 0; i < strings.size(); ++i) Store(static_cast<jsize>(i), strings[i]);
}

void JniStringArray::Allocate(jsize count) {
  JniClass stringClass(env, L"java/lang/String");
  JniLocalRef initial(env, NewJavaString(env, std::wstring()));
  arrayRef = env->NewObjectArray(count, stringClass.GetClassRef(), initial.get());
  if (arrayRef == nullptr || env->ExceptionCheck()) throw JavaException(env, L"Error");
}

void JniStringArray::Store(jsize index, const std::wstring& text) {
  // Each element's own reference goes at once: the array keeps the string, and a
  // long argument list must not use up the thread's local references.
  JniLocalRef element(env, NewJavaString(env, text));
  env->SetObjectArrayElement(arrayRef, index, element.get());
  if (env->ExceptionCheck()) throw JavaException(env, L"Error");
}

jobjectArray KeysToJavaArray(JNIEnv* env, const OrderedTable& table) {
  return JniStringArray(env, table.GetKeys()).GetArrayRef();
}
