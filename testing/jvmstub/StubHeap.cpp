#include "StubHeap.h"

#include <windows.h>

#include <map>
#include <mutex>

#include "StubRecord.h"
#include "StubText.h"

namespace stub {

namespace {

std::mutex& HeapLock() {
  static std::mutex lock;
  return lock;
}

std::map<std::string, Object*>& Classes() {
  static std::map<std::string, Object*> classes;
  return classes;
}

}  // namespace

Object* NewObject(Kind kind, const std::string& className) {
  Object* object = new Object();
  object->kind = kind;
  object->className = className;
  return object;
}

Object* NewString(const std::u16string& text) {
  Object* object = NewObject(Kind::String, "java/lang/String");
  object->text = text;
  return object;
}

Object* NewThrowable(const std::string& className, const std::string& message) {
  Object* object = NewObject(Kind::Throwable, className);
  object->text = FromUtf8(message);
  return object;
}

Object* ClassNamed(const std::string& name, bool hasMain) {
  std::lock_guard<std::mutex> hold(HeapLock());
  Object*& entry = Classes()[name];
  if (entry == nullptr) entry = NewObject(Kind::Class, name);
  entry->hasMain = entry->hasMain || hasMain;
  return entry;
}

Object* FindExistingClass(const std::string& name) {
  std::lock_guard<std::mutex> hold(HeapLock());
  auto found = Classes().find(name);
  return found == Classes().end() ? nullptr : found->second;
}

jobject NewLocal(ThreadState& thread, Object* target) {
  if (target == nullptr) return nullptr;
  if (thread.frames.empty()) thread.frames.emplace_back();
  Reference* ref = new Reference();
  ref->target = target;
  ref->owner = &thread;
  thread.frames.back().push_back(ref);
  return reinterpret_cast<jobject>(ref);
}

jobject NewGlobal(Object* target) {
  if (target == nullptr) return nullptr;
  Reference* ref = new Reference();
  ref->target = target;
  ref->global = true;
  return reinterpret_cast<jobject>(ref);
}

Object* Resolve(ThreadState& thread, jobject handle, const char* function) {
  if (handle == nullptr) return nullptr;
  Reference* ref = reinterpret_cast<Reference*>(handle);
  if (!ref->live) {
    Misuse(std::string(function) + " with a deleted reference");
    return nullptr;
  }
  if (!ref->global && ref->owner != &thread) {
    Misuse(std::string(function) + " with a local reference of another thread");
    return nullptr;
  }
  return ref->target;
}

int LiveLocalCount(const ThreadState& thread) {
  int count = 0;
  for (const auto& frame : thread.frames) {
    for (const Reference* ref : frame) count += ref->live ? 1 : 0;
  }
  return count;
}

ThreadState& StateOf(JNIEnv* env) {
  ThreadState& thread = *reinterpret_cast<StubEnv*>(env)->thread;
  if (thread.threadId != ::GetCurrentThreadId()) Misuse("JNIEnv used on another thread");
  if (!thread.attached) Misuse("JNIEnv used after its thread was detached");
  return thread;
}

void Misuse(const std::string& what) {
  Record("misuse " + what);
}

}  // namespace stub
