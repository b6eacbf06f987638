// Calls of the launcher's user-options exports the way the VM makes them for a
// Java native method: the export found in the already loaded lumapack.dll by the
// names a VM of this bitness tries, a fresh local frame for the call, the result
// handed back into the caller's frame.
#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "StubRecord.h"
#include "StubText.h"
#include "StubVm.h"

#if defined(__i386__)
// Calls a __stdcall function with `count` 32-bit arguments (the first one lowest on
// the stack, as the convention puts it) and reports in `stackDelta` how far the
// stack pointer is from where it was before the arguments were pushed: 0 when the
// callee removed them itself, as __stdcall requires; -4 * count for a __cdecl
// callee. The stack pointer is restored either way, so that a wrong convention is
// reported instead of crashing the run.
extern "C" uintptr_t StubCallStdcall(void* entry, const uintptr_t* words, int count, int* stackDelta);
asm(R"(
  .text
  .globl _StubCallStdcall
_StubCallStdcall:
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl 12(%ebp), %esi
  movl 16(%ebp), %ecx
  movl %esp, %ebx
1:
  testl %ecx, %ecx
  jz 2f
  decl %ecx
  pushl (%esi,%ecx,4)
  jmp 1b
2:
  call *8(%ebp)
  movl %esp, %ecx
  subl %ebx, %ecx
  movl 20(%ebp), %edx
  movl %ecx, (%edx)
  movl %ebx, %esp
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
)");
#endif

namespace stub {

namespace {

const char kExportPrefix[] = "Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1";
const char kNull[] = "<null>";

struct NativeMethod {
  const char* name;
  const char* signature;
};

// The native methods of the application's LauncherUserJvmOptions class.
const NativeMethod kNativeMethods[] = {
    {"getUserJvmOptionDefaultKeys", "()[Ljava/lang/String;"},
    {"getUserJvmOptionDefaultValue", "(Ljava/lang/String;)Ljava/lang/String;"},
    {"getUserJvmOptionKeys", "()[Ljava/lang/String;"},
    {"getUserJvmOptionValue", "(Ljava/lang/String;)Ljava/lang/String;"},
    {"setUserJvmKeysAndValues", "([Ljava/lang/String;[Ljava/lang/String;)V"},
};

const NativeMethod* FindNativeMethod(const std::string& name) {
  for (const NativeMethod& method : kNativeMethods) {
    if (name == method.name) return &method;
  }
  return nullptr;
}

// Bytes of the arguments of a native method on the 32-bit stack: the JNIEnv
// pointer and the class, then four bytes per parameter and eight for a long or a
// double. This is the N of the __stdcall name "_Java_...@N".
int ArgumentBytes(const std::string& signature) {
  int bytes = 8;
  for (size_t i = 1; i < signature.size() && signature[i] != ')'; ++i) {
    char type = signature[i];
    bytes += type == 'J' || type == 'D' ? 8 : 4;
    while (signature[i] == '[') ++i;
    if (signature[i] == 'L') i = signature.find(';', i);
  }
  return bytes;
}

// The names a VM of this bitness looks for, in its order: a 32-bit VM first asks
// for the __stdcall name, then for the plain one; a 64-bit VM knows one name.
std::vector<std::string> CandidateNames(const NativeMethod& method) {
  std::string plain = kExportPrefix + std::string(method.name);
  if (sizeof(void*) == 4) return {"_" + plain + "@" + std::to_string(ArgumentBytes(method.signature)), plain};
  return {plain};
}

// Binds a native method once, as the VM does on its first call, and records the
// name it was found under.
void* BindExport(const NativeMethod& method) {
  static std::mutex lock;
  static std::map<std::string, void*> bound;
  std::lock_guard<std::mutex> guard(lock);
  auto known = bound.find(method.name);
  if (known != bound.end()) return known->second;
  void* entry = nullptr;
  HMODULE library = ::GetModuleHandleW(L"lumapack.dll");
  for (const std::string& name : CandidateNames(method)) {
    if (library == nullptr || entry != nullptr) break;
    entry = reinterpret_cast<void*>(::GetProcAddress(library, name.c_str()));
    if (entry != nullptr) Record("bound " + std::string(method.name) + " " + name);
  }
  bound[method.name] = entry;
  return entry;
}

// Calls the export with the JNI arguments as machine words.
uintptr_t CallExport(void* entry, const NativeMethod& method, const std::vector<uintptr_t>& words) {
#if defined(__i386__)
  int stackDelta = 0;
  uintptr_t result = StubCallStdcall(entry, words.data(), static_cast<int>(words.size()), &stackDelta);
  if (stackDelta != 0) {
    Misuse("native method " + std::string(method.name) + " left the stack " + std::to_string(stackDelta) +
           " bytes off: not __stdcall");
  }
  return result;
#else
  static_cast<void>(method);
  using Two = uintptr_t (*)(uintptr_t, uintptr_t);
  using Three = uintptr_t (*)(uintptr_t, uintptr_t, uintptr_t);
  using Four = uintptr_t (*)(uintptr_t, uintptr_t, uintptr_t, uintptr_t);
  if (words.size() == 2) return reinterpret_cast<Two>(entry)(words[0], words[1]);
  if (words.size() == 3) return reinterpret_cast<Three>(entry)(words[0], words[1], words[2]);
  return reinterpret_cast<Four>(entry)(words[0], words[1], words[2], words[3]);
#endif
}

uintptr_t Word(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }

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

// Runs one export in a frame of its own with the JNIEnv first. Returns the result
// object, which stays reachable through a new local reference in the caller's
// frame.
Object* CallNative(ThreadState& thread, void* entry, const NativeMethod& method, std::vector<uintptr_t> arguments) {
  thread.frames.emplace_back();
  arguments.insert(arguments.begin(), Word(&thread.env));
  jobject result = reinterpret_cast<jobject>(CallExport(entry, method, arguments));
  Object* object = std::string(method.signature).back() == 'V' ? nullptr : Resolve(thread, result, "native method result");
  for (Reference* ref : thread.frames.back()) ref->live = false;
  thread.frames.pop_back();
  NewLocal(thread, object);
  return object;
}

// The Java arguments after the class: none, one string, or two string arrays.
std::vector<uintptr_t> JavaArguments(ThreadState& thread, const NativeMethod& method, const std::string& rest) {
  std::string signature = method.signature;
  if (signature.compare(0, 2, "()") == 0) return {};
  if (signature.compare(0, 2, "(L") == 0) return {Word(JavaString(thread, rest))};
  size_t split = rest.find(' ');
  jobjectArray keys = JavaArray(thread, rest.substr(0, split));
  jobjectArray values = JavaArray(thread, split == std::string::npos ? "null" : rest.substr(split + 1));
  return {Word(keys), Word(values)};
}

void RunBridgeCall(ThreadState& thread, const std::string& call) {
  size_t space = call.find(' ');
  std::string name = call.substr(0, space);
  std::string rest = space == std::string::npos ? std::string() : call.substr(space + 1);
  const NativeMethod* method = FindNativeMethod(name);
  void* entry = method != nullptr ? BindExport(*method) : nullptr;
  if (entry == nullptr) {
    Record("bridge missing export " + Escape(name));
    return;
  }
  jclass owner = static_cast<jclass>(
      NewLocal(thread, ClassNamed("jdk/packager/services/userjvmoptions/LauncherUserJvmOptions", false)));
  std::vector<uintptr_t> arguments = JavaArguments(thread, *method, rest);
  arguments.insert(arguments.begin(), Word(owner));
  Object* result = CallNative(thread, entry, *method, arguments);
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
