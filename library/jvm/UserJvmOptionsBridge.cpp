// The native methods of the application's LauncherUserJvmOptions class. They are
// exported through the library's .def files alone (JNIEXPORT would add a second,
// differently decorated name on 32-bit). Nothing thrown leaves them: a JNI failure
// answers null or changes nothing.
#include <jni.h>

#include <string>

#include "config/OrderedTable.h"
#include "jvm/Exception.h"
#include "jvm/JniLocalRef.h"
#include "jvm/JniStringArray.h"
#include "jvm/UserJvmOptionsBridge.h"
#include "launch/AppPackage.h"
#include "platform/PlatformString.h"

namespace {

using TableCopy = OrderedTable (AppPackage::*)() const;

jobjectArray KeysOf(JNIEnv* env, TableCopy copy) {
  if (env == nullptr) return nullptr;
  OrderedTable table = (AppPackage::GetInstance().*copy)();
  try {
    return KeysToJavaArray(env, table);
  } catch (const JavaException&) {
    return nullptr;
  }
}

// A key that the table lacks gives an empty Java string, not null.
jstring ValueOf(JNIEnv* env, jstring key, TableCopy copy) {
  if (env == nullptr || key == nullptr) return nullptr;
  OrderedTable table = (AppPackage::GetInstance().*copy)();
  try {
    std::wstring value;
    table.GetValue(PlatformString(env, key).toWString(), value);
    jstring result = env->NewStringUTF(PlatformString::WideStringToModifiedUtf8(value).c_str());
    if (result != nullptr && !env->ExceptionCheck()) return result;
    if (result != nullptr) env->DeleteLocalRef(result);
    throw JavaException();
  } catch (const JavaException&) {
    return nullptr;
  }
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

}  // namespace

extern "C" {

jobjectArray JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultKeys(
    JNIEnv* env, jclass) {
  return KeysOf(env, &AppPackage::CopyUserJvmOptionDefaults);
}

jstring JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultValue(
    JNIEnv* env, jclass, jstring key) {
  return ValueOf(env, key, &AppPackage::CopyUserJvmOptionDefaults);
}

jobjectArray JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionKeys(
    JNIEnv* env, jclass) {
  return KeysOf(env, &AppPackage::CopyUserJvmOptions);
}

jstring JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionValue(
    JNIEnv* env, jclass, jstring key) {
  return ValueOf(env, key, &AppPackage::CopyUserJvmOptions);
}

void JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1setUserJvmKeysAndValues(
    JNIEnv* env, jclass, jobjectArray keys, jobjectArray values) {
  if (env == nullptr || keys == nullptr || values == nullptr) return;
  AppPackage& package = AppPackage::GetInstance();
  OrderedTable pairs;
  try {
    pairs = ReadPairs(env, keys, values);
  } catch (const JavaException&) {
    return;
  }
  package.SetUserJvmOptionOverrides(pairs);
}

}  // extern "C"
