// The native methods of the application's LauncherUserJvmOptions class. They are
// exported through the library's .def files alone (JNIEXPORT would add a second,
// differently decorated name on 32-bit). Nothing thrown may unwind into the VM's
// frames, which would end the application: each export is fenced, and any failure
// answers null or changes nothing.
#include <jni.h>

#include <string>
#include <type_traits>

#include "config/OrderedTable.h"
#include "jvm/Exception.h"
#include "jvm/JniLocalRef.h"
#include "jvm/JniStringArray.h"
#include "jvm/UserJvmOptionsBridge.h"
#include "launch/AppPackage.h"
#include "platform/PlatformString.h"

namespace {

using TableCopy = OrderedTable (AppPackage::*)() const;

// Runs the work of one export. A JNI failure has already left the Java side as the
// VM expects; anything else thrown (memory running out, a standard-library
// failure) is written to the diagnostic log. Either way the call then gives its
// "nothing": null, or no change.
template <typename Work>
auto Fenced(const char* function, int line, Work work) noexcept -> decltype(work()) {
  using Result = decltype(work());
  try {
    return work();
  } catch (const JavaException&) {
  } catch (...) {
    LogCaughtException(function, line);
  }
  if constexpr (!std::is_void_v<Result>) return nullptr;
}

jobjectArray KeysOf(JNIEnv* env, TableCopy copy) {
  if (env == nullptr) return nullptr;
  OrderedTable table = (AppPackage::GetInstance().*copy)();
  return KeysToJavaArray(env, table);
}

// A key that the table lacks gives an empty Java string, not null.
jstring ValueOf(JNIEnv* env, jstring key, TableCopy copy) {
  if (env == nullptr || key == nullptr) return nullptr;
  OrderedTable table = (AppPackage::GetInstance().*copy)();
  std::wstring value;
  table.GetValue(PlatformString(env, key).toWString(), value);
  jstring result = env->NewStringUTF(PlatformString::WideStringToModifiedUtf8(value).c_str());
  if (result != nullptr && !env->ExceptionCheck()) return result;
  if (result != nullptr) env->DeleteLocalRef(result);
  throw JavaException();
}

// A null element stands for an empty text.
std::wstring ElementText(JNIEnv* env, jobjectArray array, jsize index) {
  JniLocalRef element(env, env->GetObjectArrayElement(array, index));
  if (env->ExceptionCheck()) throw JavaException(env, L"Error");
  if (element.get() == nullptr) return std::wstring();
  return PlatformString(env, static_cast<jstring>(element.get())).toWString();
}

// The keys array's length is asked before every element, and the values array's
// never: fewer values than keys surfaces as the VM's index error.
OrderedTable ReadPairs(JNIEnv* env, jobjectArray keys, jobjectArray values) {
  OrderedTable pairs;
  for (jsize i = 0;; ++i) {
    jsize length = env->GetArrayLength(keys);
    if (env->ExceptionCheck()) throw JavaException(env, L"Error");
    if (i >= length) break;
    std::wstring key = ElementText(env, keys, i);
    pairs.Append(key, ElementText(env, values, i));
  }
  return pairs;
}

// The table is read whole before anything is handed on, so a failure while reading
// it changes nothing.
void SetPairs(JNIEnv* env, jobjectArray keys, jobjectArray values) {
  if (env == nullptr || keys == nullptr || values == nullptr) return;
  AppPackage& package = AppPackage::GetInstance();
  OrderedTable pairs = ReadPairs(env, keys, values);
  package.SetUserJvmOptionOverrides(pairs);
}

}  // namespace

extern "C" {

jobjectArray JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultKeys(
    JNIEnv* env, jclass) {
  return Fenced("Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultKeys", 94,
                [&] { return KeysOf(env, &AppPackage::CopyUserJvmOptionDefaults); });
}

jstring JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultValue(
    JNIEnv* env, jclass, jstring key) {
  return Fenced("Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultValue", 100,
                [&] { return ValueOf(env, key, &AppPackage::CopyUserJvmOptionDefaults); });
}

jobjectArray JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionKeys(
    JNIEnv* env, jclass) {
  return Fenced("Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionKeys", 106,
                [&] { return KeysOf(env, &AppPackage::CopyUserJvmOptions); });
}

jstring JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionValue(
    JNIEnv* env, jclass, jstring key) {
  return Fenced("Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionValue", 112,
                [&] { return ValueOf(env, key, &AppPackage::CopyUserJvmOptions); });
}

void JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1setUserJvmKeysAndValues(
    JNIEnv* env, jclass, jobjectArray keys, jobjectArray values) {
  Fenced("Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1setUserJvmKeysAndValues", 118,
         [&] { SetPairs(env, keys, values); });
}

}  // extern "C"
