// The JNI functions the launcher uses, with the real VM's rules: modified UTF-8,
// pending exceptions, local references that belong to one thread. A call the real
// VM forbids (for instance most calls while an exception is pending) is recorded
// as a misuse and then carried out as well as it can be.
#include <windows.h>

#include <cstdarg>
#include <cstring>
#include <utility>

#include "StubRecord.h"
#include "StubText.h"
#include "StubVm.h"

namespace stub {

namespace {

struct MethodInfo {
  Object* owner;
};

ThreadState& Enter(JNIEnv* env, const char* function, bool exceptionSafe = false) {
  ThreadState& thread = StateOf(env);
  if (!exceptionSafe && thread.pending != nullptr) {
    Misuse(std::string(function) + " called with " + thread.pending->className + " pending");
  }
  return thread;
}

std::string ReadModifiedUtf8(const char* text, const char* function) {
  std::u16string units;
  if (!DecodeModifiedUtf8(text, std::strlen(text), units)) {
    Misuse(std::string(function) + " with malformed modified UTF-8: " + Escape(text));
  }
  return ToUtf8(units);
}

Object* ResolveKind(ThreadState& thread, jobject ref, Kind kind, const char* function) {
  Object* object = Resolve(thread, ref, function);
  if (object == nullptr || object->kind != kind) {
    Misuse(std::string(function) + (object == nullptr ? " with a null reference" : " with an object of the wrong kind"));
    return nullptr;
  }
  return object;
}

jint JNICALL GetVersion(JNIEnv* env) {
  Enter(env, "GetVersion");
  return JNI_VERSION_10;
}

jclass JNICALL FindClass(JNIEnv* env, const char* name) {
  ThreadState& thread = Enter(env, "FindClass");
  if (name == nullptr) {
    Misuse("FindClass with a null name");
    return nullptr;
  }
  std::string text = ReadModifiedUtf8(name, "FindClass");
  Record("FindClass " + Escape(text));
  Object* found = FindExistingClass(text);
  if (found == nullptr) {
    Throw(thread, "java/lang/NoClassDefFoundError", text);
    return nullptr;
  }
  return static_cast<jclass>(NewLocal(thread, found));
}

jint JNICALL ThrowObject(JNIEnv* env, jthrowable throwable) {
  ThreadState& thread = Enter(env, "Throw");
  Object* object = ResolveKind(thread, throwable, Kind::Throwable, "Throw");
  if (object == nullptr) return JNI_ERR;
  thread.pending = object;
  return JNI_OK;
}

jint JNICALL ThrowNew(JNIEnv* env, jclass type, const char* message) {
  ThreadState& thread = Enter(env, "ThrowNew");
  Object* object = ResolveKind(thread, type, Kind::Class, "ThrowNew");
  if (object == nullptr) return JNI_ERR;
  Throw(thread, object->className, message != nullptr ? message : "");
  return JNI_OK;
}

jthrowable JNICALL ExceptionOccurred(JNIEnv* env) {
  ThreadState& thread = Enter(env, "ExceptionOccurred", true);
  return static_cast<jthrowable>(NewLocal(thread, thread.pending));
}

void JNICALL ExceptionDescribe(JNIEnv* env) {
  ThreadState& thread = Enter(env, "ExceptionDescribe", true);
  if (thread.pending != nullptr) Record("ExceptionDescribe " + thread.pending->className);
  thread.pending = nullptr;
}

void JNICALL ExceptionClear(JNIEnv* env) {
  ThreadState& thread = Enter(env, "ExceptionClear", true);
  if (thread.pending != nullptr) Record("ExceptionClear " + thread.pending->className);
  thread.pending = nullptr;
}

jboolean JNICALL ExceptionCheck(JNIEnv* env) {
  return Enter(env, "ExceptionCheck", true).pending != nullptr ? JNI_TRUE : JNI_FALSE;
}

void JNICALL FatalError(JNIEnv* env, const char* message) {
  Enter(env, "FatalError", true);
  Record("FatalError " + Escape(message != nullptr ? message : ""));
  ::ExitProcess(134);
}

jint JNICALL PushLocalFrame(JNIEnv* env, jint) {
  Enter(env, "PushLocalFrame", true).frames.emplace_back();
  return JNI_OK;
}

jobject JNICALL PopLocalFrame(JNIEnv* env, jobject result) {
  ThreadState& thread = Enter(env, "PopLocalFrame", true);
  Object* kept = Resolve(thread, result, "PopLocalFrame");
  if (thread.frames.size() < 2) {
    Misuse("PopLocalFrame without a pushed frame");
    return nullptr;
  }
  for (Reference* ref : thread.frames.back()) ref->live = false;
  thread.frames.pop_back();
  return NewLocal(thread, kept);
}

jobject JNICALL NewGlobalRef(JNIEnv* env, jobject ref) {
  ThreadState& thread = Enter(env, "NewGlobalRef");
  return NewGlobal(Resolve(thread, ref, "NewGlobalRef"));
}

void JNICALL DeleteGlobalRef(JNIEnv* env, jobject ref) {
  Enter(env, "DeleteGlobalRef", true);
  if (ref == nullptr) return;
  Reference* global = reinterpret_cast<Reference*>(ref);
  if (!global->global || !global->live) {
    Misuse("DeleteGlobalRef of a reference that is not a live global one");
    return;
  }
  global->live = false;
}

void JNICALL DeleteLocalRef(JNIEnv* env, jobject ref) {
  ThreadState& thread = Enter(env, "DeleteLocalRef", true);
  if (ref == nullptr) return;
  Reference* local = reinterpret_cast<Reference*>(ref);
  if (local->global || !local->live || local->owner != &thread) {
    Misuse("DeleteLocalRef of a reference that is not a live local one of this thread");
    return;
  }
  local->live = false;
  bool isClass = local->target->kind == Kind::Class;
  Record("DeleteLocalRef " + std::string(isClass ? "class " : "") + local->target->className);
}

jboolean JNICALL IsSameObject(JNIEnv* env, jobject first, jobject second) {
  ThreadState& thread = Enter(env, "IsSameObject");
  return Resolve(thread, first, "IsSameObject") == Resolve(thread, second, "IsSameObject");
}

jobject JNICALL NewLocalRef(JNIEnv* env, jobject ref) {
  ThreadState& thread = Enter(env, "NewLocalRef");
  return NewLocal(thread, Resolve(thread, ref, "NewLocalRef"));
}

jint JNICALL EnsureLocalCapacity(JNIEnv* env, jint) {
  Enter(env, "EnsureLocalCapacity");
  return JNI_OK;
}

jclass JNICALL GetObjectClass(JNIEnv* env, jobject ref) {
  ThreadState& thread = Enter(env, "GetObjectClass");
  Object* object = Resolve(thread, ref, "GetObjectClass");
  if (object == nullptr) return nullptr;
  return static_cast<jclass>(NewLocal(thread, ClassNamed(object->className, false)));
}

jmethodID JNICALL GetStaticMethodID(JNIEnv* env, jclass type, const char* name, const char* signature) {
  ThreadState& thread = Enter(env, "GetStaticMethodID");
  Object* owner = ResolveKind(thread, type, Kind::Class, "GetStaticMethodID");
  if (owner == nullptr || name == nullptr || signature == nullptr) return nullptr;
  std::string method = ReadModifiedUtf8(name, "GetStaticMethodID");
  std::string descriptor = ReadModifiedUtf8(signature, "GetStaticMethodID");
  Record("GetStaticMethodID " + owner->className + " " + Escape(method) + " " + Escape(descriptor));
  if (!owner->hasMain || method != "main" || descriptor != "([Ljava/lang/String;)V") {
    Throw(thread, "java/lang/NoSuchMethodError", method);
    return nullptr;
  }
  return reinterpret_cast<jmethodID>(new MethodInfo{owner});
}

void CallStaticVoid(JNIEnv* env, jclass type, jmethodID method, jobject argument, const char* function) {
  ThreadState& thread = Enter(env, function);
  Object* owner = ResolveKind(thread, type, Kind::Class, function);
  if (owner == nullptr) return;
  if (method == nullptr || reinterpret_cast<MethodInfo*>(method)->owner != owner) {
    Misuse(std::string(function) + " with a method of another class");
    return;
  }
  Record(std::string(function) + " " + owner->className + ".main");
  RunMain(thread, owner, argument);
}

void JNICALL CallStaticVoidMethodV(JNIEnv* env, jclass type, jmethodID method, va_list arguments) {
  CallStaticVoid(env, type, method, va_arg(arguments, jobject), "CallStaticVoidMethodV");
}

void JNICALL CallStaticVoidMethod(JNIEnv* env, jclass type, jmethodID method, ...) {
  va_list arguments;
  va_start(arguments, method);
  CallStaticVoid(env, type, method, va_arg(arguments, jobject), "CallStaticVoidMethod");
  va_end(arguments);
}

void JNICALL CallStaticVoidMethodA(JNIEnv* env, jclass type, jmethodID method, const jvalue* arguments) {
  CallStaticVoid(env, type, method, arguments != nullptr ? arguments[0].l : nullptr, "CallStaticVoidMethodA");
}

jstring JNICALL NewStringUTF(JNIEnv* env, const char* bytes) {
  ThreadState& thread = Enter(env, "NewStringUTF");
  if (bytes == nullptr) return nullptr;
  std::u16string units;
  if (!DecodeModifiedUtf8(bytes, std::strlen(bytes), units)) {
    Misuse("NewStringUTF with malformed modified UTF-8: " + Escape(bytes));
  }
  return static_cast<jstring>(NewLocal(thread, NewString(units)));
}

jstring JNICALL NewStringChars(JNIEnv* env, const jchar* chars, jsize count) {
  ThreadState& thread = Enter(env, "NewString");
  std::u16string units(reinterpret_cast<const char16_t*>(chars), static_cast<size_t>(count));
  return static_cast<jstring>(NewLocal(thread, NewString(units)));
}

jsize JNICALL GetStringLength(JNIEnv* env, jstring text) {
  ThreadState& thread = Enter(env, "GetStringLength");
  Object* string = ResolveKind(thread, text, Kind::String, "GetStringLength");
  return string != nullptr ? static_cast<jsize>(string->text.size()) : 0;
}

jsize JNICALL GetStringUTFLength(JNIEnv* env, jstring text) {
  ThreadState& thread = Enter(env, "GetStringUTFLength");
  Object* string = ResolveKind(thread, text, Kind::String, "GetStringUTFLength");
  return string != nullptr ? static_cast<jsize>(EncodeModifiedUtf8(string->text).size()) : 0;
}

const char* JNICALL GetStringUTFChars(JNIEnv* env, jstring text, jboolean* isCopy) {
  ThreadState& thread = Enter(env, "GetStringUTFChars");
  Object* string = ResolveKind(thread, text, Kind::String, "GetStringUTFChars");
  if (string == nullptr) return nullptr;
  std::string bytes = EncodeModifiedUtf8(string->text);
  char* copy = new char[bytes.size() + 1];
  std::memcpy(copy, bytes.c_str(), bytes.size() + 1);
  if (isCopy != nullptr) *isCopy = JNI_TRUE;
  ++thread.openUtfChars;
  return copy;
}

void JNICALL ReleaseStringUTFChars(JNIEnv* env, jstring, const char* chars) {
  ThreadState& thread = Enter(env, "ReleaseStringUTFChars", true);
  if (chars == nullptr) return;
  delete[] chars;
  --thread.openUtfChars;
}

const jchar* JNICALL GetStringChars(JNIEnv* env, jstring text, jboolean* isCopy) {
  ThreadState& thread = Enter(env, "GetStringChars");
  Object* string = ResolveKind(thread, text, Kind::String, "GetStringChars");
  if (string == nullptr) return nullptr;
  jchar* copy = new jchar[string->text.size() + 1]();
  std::memcpy(copy, string->text.data(), string->text.size() * sizeof(jchar));
  if (isCopy != nullptr) *isCopy = JNI_TRUE;
  return copy;
}

void JNICALL ReleaseStringChars(JNIEnv* env, jstring, const jchar* chars) {
  Enter(env, "ReleaseStringChars", true);
  delete[] chars;
}

jsize JNICALL GetArrayLength(JNIEnv* env, jarray array) {
  ThreadState& thread = Enter(env, "GetArrayLength");
  Object* object = ResolveKind(thread, array, Kind::Array, "GetArrayLength");
  return object != nullptr ? static_cast<jsize>(object->elements.size()) : 0;
}

jobjectArray JNICALL NewObjectArray(JNIEnv* env, jsize length, jclass type, jobject initial) {
  ThreadState& thread = Enter(env, "NewObjectArray");
  Object* element = ResolveKind(thread, type, Kind::Class, "NewObjectArray");
  if (element == nullptr) return nullptr;
  if (length < 0) {
    Throw(thread, "java/lang/NegativeArraySizeException", std::to_string(length));
    return nullptr;
  }
  Object* array = NewObject(Kind::Array, "[L" + element->className + ";");
  array->elementClass = element->className;
  array->elements.assign(static_cast<size_t>(length), Resolve(thread, initial, "NewObjectArray"));
  return static_cast<jobjectArray>(NewLocal(thread, array));
}

bool InBounds(ThreadState& thread, Object* array, jsize index) {
  if (index >= 0 && static_cast<size_t>(index) < array->elements.size()) return true;
  Throw(thread, "java/lang/ArrayIndexOutOfBoundsException",
        "Index " + std::to_string(index) + " out of bounds for length " + std::to_string(array->elements.size()));
  return false;
}

jobject JNICALL GetObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index) {
  ThreadState& thread = Enter(env, "GetObjectArrayElement");
  Object* object = ResolveKind(thread, array, Kind::Array, "GetObjectArrayElement");
  if (object == nullptr || !InBounds(thread, object, index)) return nullptr;
  return NewLocal(thread, object->elements[static_cast<size_t>(index)]);
}

void JNICALL SetObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index, jobject value) {
  ThreadState& thread = Enter(env, "SetObjectArrayElement");
  Object* object = ResolveKind(thread, array, Kind::Array, "SetObjectArrayElement");
  if (object == nullptr || !InBounds(thread, object, index)) return;
  Object* element = Resolve(thread, value, "SetObjectArrayElement");
  bool stringArray = object->elementClass == "java/lang/String";
  if (element != nullptr && stringArray && element->kind != Kind::String) {
    Throw(thread, "java/lang/ArrayStoreException", element->className);
    return;
  }
  object->elements[static_cast<size_t>(index)] = element;
}

// Every slot the launcher has no business calling ends the run with a record of
// which slot it was.
template <size_t Slot>
void JNICALL Unimplemented(JNIEnv*) {
  Record("misuse unimplemented JNI function " + std::to_string(Slot));
  ::ExitProcess(97);
}

constexpr size_t kSlotCount = sizeof(JNINativeInterface_) / sizeof(void*);

template <size_t... Slots>
void FillWithTraps(void** slots, std::index_sequence<Slots...>) {
  ((slots[Slots] = reinterpret_cast<void*>(&Unimplemented<Slots>)), ...);
}

JNINativeInterface_ BuildTable() {
  JNINativeInterface_ table;
  FillWithTraps(reinterpret_cast<void**>(&table), std::make_index_sequence<kSlotCount>());
  table.reserved0 = table.reserved1 = table.reserved2 = table.reserved3 = nullptr;
  table.GetVersion = &GetVersion;
  table.FindClass = &FindClass;
  table.Throw = &ThrowObject;
  table.ThrowNew = &ThrowNew;
  table.ExceptionOccurred = &ExceptionOccurred;
  table.ExceptionDescribe = &ExceptionDescribe;
  table.ExceptionClear = &ExceptionClear;
  table.FatalError = &FatalError;
  table.PushLocalFrame = &PushLocalFrame;
  table.PopLocalFrame = &PopLocalFrame;
  table.NewGlobalRef = &NewGlobalRef;
  table.DeleteGlobalRef = &DeleteGlobalRef;
  table.DeleteLocalRef = &DeleteLocalRef;
  table.IsSameObject = &IsSameObject;
  table.NewLocalRef = &NewLocalRef;
  table.EnsureLocalCapacity = &EnsureLocalCapacity;
  table.GetObjectClass = &GetObjectClass;
  table.GetStaticMethodID = &GetStaticMethodID;
  table.CallStaticVoidMethod = &CallStaticVoidMethod;
  table.CallStaticVoidMethodV = &CallStaticVoidMethodV;
  table.CallStaticVoidMethodA = &CallStaticVoidMethodA;
  table.NewString = &NewStringChars;
  table.GetStringLength = &GetStringLength;
  table.GetStringChars = &GetStringChars;
  table.ReleaseStringChars = &ReleaseStringChars;
  table.NewStringUTF = &NewStringUTF;
  table.GetStringUTFLength = &GetStringUTFLength;
  table.GetStringUTFChars = &GetStringUTFChars;
  table.ReleaseStringUTFChars = &ReleaseStringUTFChars;
  table.GetArrayLength = &GetArrayLength;
  table.NewObjectArray = &NewObjectArray;
  table.GetObjectArrayElement = &GetObjectArrayElement;
  table.SetObjectArrayElement = &SetObjectArrayElement;
  table.ExceptionCheck = &ExceptionCheck;
  return table;
}

}  // namespace

void Throw(ThreadState& thread, const std::string& className, const std::string& message) {
  thread.pending = NewThrowable(className, message);
  Record("throw " + className + " " + Escape(message));
}

}  // namespace stub

namespace stub {

const JNINativeInterface_* FunctionTable() {
  static const JNINativeInterface_ table = BuildTable();
  return &table;
}

}  // namespace stub
