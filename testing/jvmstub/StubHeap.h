#ifndef QUENDRA_TESTING_JVMSTUB_STUBHEAP_H
#define QUENDRA_TESTING_JVMSTUB_STUBHEAP_H

#include <jni.h>

#include <string>
#include <vector>

// The stand-in VM's objects and references. Objects and reference slots are never
// freed while the process lives, so that a stale reference is reported instead of
// crashing the launcher under test.
namespace stub {

enum class Kind { Class, String, Array, Throwable };

struct Object {
  Kind kind;
  std::string className;     // the class itself for Kind::Class, else the object's class
  std::u16string text;       // characters of a string, message of a throwable
  std::vector<Object*> elements;
  std::string elementClass;  // of an array
  bool hasMain = false;      // a class with public static void main(String[])
};

struct ThreadState;

struct Reference {
  Object* target = nullptr;
  bool global = false;
  bool live = true;
  ThreadState* owner = nullptr;
};

// What JNIEnv points at: the function table first, as the JNI layout requires.
struct StubEnv {
  const JNINativeInterface_* functions;
  ThreadState* thread;
};

struct ThreadState {
  StubEnv env;
  unsigned long threadId = 0;
  bool attached = false;
  Object* pending = nullptr;
  // Local frames: the outermost lives from attach to detach; a native method call
  // pushes one that its return pops.
  std::vector<std::vector<Reference*>> frames;
  int openUtfChars = 0;
};

Object* NewObject(Kind kind, const std::string& className);
Object* NewString(const std::u16string& text);
Object* NewThrowable(const std::string& className, const std::string& message);
// The class object of that name, made on first use.
Object* ClassNamed(const std::string& name, bool hasMain);
// Null when no class of that name was made.
Object* FindExistingClass(const std::string& name);

jobject NewLocal(ThreadState& thread, Object* target);
jobject NewGlobal(Object* target);
// The object behind a reference; null for a null reference. A dead or foreign
// reference is reported and gives null.
Object* Resolve(ThreadState& thread, jobject ref, const char* function);
// Live local references of the thread, over all frames.
int LiveLocalCount(const ThreadState& thread);

ThreadState& StateOf(JNIEnv* env);
// Reports a use of JNI that the real VM does not allow (with -Xcheck:jni it would
// warn or abort).
void Misuse(const std::string& what);

}  // namespace stub

#endif
