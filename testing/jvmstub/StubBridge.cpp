// Calls of the launcher's user-options exports the way the VM makes them for a
// Java native method: the export found by name in the already loaded lumapack.dll,
// a fresh local frame for the call, the result handed back into the caller's frame.
#include <windows.h>

#include <string>
#include <vector>

#include "StubRecord.h"
#include "StubText.h"
#include "StubVm.h"

namespace stub {

namespace {

using KeysFunction = jobjectArray(JNICALL*)(JNIEnv*, jclass);
using ValueFunction = jstring(JNICALL*)(JNIEnv*, jclass, jstring);
using SetFunction = void(JNICALL*)(JNIEnv*, jclass, jobjectArray, jobjectArray);

const char kExportPrefix[] = "Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1";
const char kNull[] = "<null>";

void* FindExport(const std::string& method) {
  HMODULE library = ::GetModuleHandleW(L"lumapack.dll");
  if (library == nullptr) return nullptr;
  return reinterpret_cast<void*>(::GetProcAddress(library, (kExportPrefix + method).c_str()));
}

jstring JavaString(ThreadState& thread, const std::string& text) {
  if (text == kNull) return nullptr;
  return static_cast<jstring>(NewLocal(thread, NewString(FromUtf8(text))));
}

// "[a|b]" gives a String[] of a and b, "[]" an empty one, "null" no array; an
// element "<null>" is a null element.
jobjectArray JavaArray(ThreadState& thread, const std::string& list) {
  if (list.size() < 2 || list.front() != '[' || list.back() != ']') return nullptr;
  Object* array = NewObject(Kind::Array, "[Ljava/lang/String;");
  array->elementClass = "java/lang/String";
  std::string body = list.substr(1, list.size() - 2);
  for (size_t start = 0; !body.empty() && start <= body.size();) {
    size_t bar = body.find('|', start);
    std::string element = body.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    array->elements.push_back(element == kNull ? nullptr : NewString(FromUtf8(element)));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return static_cast<jobjectArray>(NewLocal(thread, array));
}

std::string Show(Object* result) {
  if (result == nullptr) return "null";
  if (result->kind == Kind::String) return "\"" + Escape(ToUtf8(result->text)) + "\"";
  std::string text = "[";
  for (size_t i = 0; i < result->elements.size(); ++i) {
    Object* element = result->elements[i];
    text += (i == 0 ? "" : "|") + (element == nullptr ? std::string(kNull) : Escape(ToUtf8(element->text)));
  }
  return text + "]";
}

// Runs one export in a frame of its own. Returns the result object, which stays
// reachable through a new local reference in the caller's frame.
template <typename Call>
Object* CallNative(ThreadState& thread, Call call) {
  thread.frames.emplace_back();
  jobject result = call(reinterpret_cast<JNIEnv*>(&thread.env));
  Object* object = Resolve(thread, result, "native method result");
  for (Reference* ref : thread.frames.back()) ref->live = false;
  thread.frames.pop_back();
  NewLocal(thread, object);
  return object;
}

Object* Invoke(ThreadState& thread, const std::string& method, const std::string& rest, void* entry) {
  jclass owner = static_cast<jclass>(
      NewLocal(thread, ClassNamed("jdk/packager/services/userjvmoptions/LauncherUserJvmOptions", false)));
  if (method == "getUserJvmOptionDefaultKeys" || method == "getUserJvmOptionKeys") {
    auto keys = reinterpret_cast<KeysFunction>(entry);
    return CallNative(thread, [&](JNIEnv* env) -> jobject { return keys(env, owner); });
  }
  if (method == "getUserJvmOptionDefaultValue" || method == "getUserJvmOptionValue") {
    auto value = reinterpret_cast<ValueFunction>(entry);
    jstring key = JavaString(thread, rest);
    return CallNative(thread, [&](JNIEnv* env) -> jobject { return value(env, owner, key); });
  }
  auto set = reinterpret_cast<SetFunction>(entry);
  size_t split = rest.find(' ');
  jobjectArray keys = JavaArray(thread, rest.substr(0, split));
  jobjectArray values = JavaArray(thread, split == std::string::npos ? "null" : rest.substr(split + 1));
  return CallNative(thread, [&](JNIEnv* env) -> jobject {
    set(env, owner, keys, values);
    return nullptr;
  });
}

void RunBridgeCall(ThreadState& thread, const std::string& call) {
  size_t space = call.find(' ');
  std::string method = call.substr(0, space);
  std::string rest = space == std::string::npos ? std::string() : call.substr(space + 1);
  void* entry = FindExport(method);
  if (entry == nullptr) {
    Record("bridge missing export " + Escape(method));
    return;
  }
  Object* result = Invoke(thread, method, rest, entry);
  std::string line = "bridge " + Escape(call) + " -> " + Show(result);
  // Java would see the exception thrown from the native method; the stand-in's
  // application catches it.
  if (thread.pending != nullptr) line += " pending " + thread.pending->className;
  thread.pending = nullptr;
  Record(line);
}

}  // namespace

void RunBridgeCalls(ThreadState& thread, const std::vector<std::string>& calls) {
  for (const std::string& call : calls) RunBridgeCall(thread, call);
}

}  // namespace stub
