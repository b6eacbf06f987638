// A JNIEnv of our own for the string and array functions the library calls,
// with the VM's rules: characters handed out by GetStringChars must be released,
// array elements are new local references, an index out of range leaves a
// pending exception and gives null.
#ifndef PENNAROO_TEST_FAKE_JNI_ENV_H
#define PENNAROO_TEST_FAKE_JNI_ENV_H

#include <jni.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pennaroo::test {

class FakeJniEnv {
 public:
  FakeJniEnv();
  FakeJniEnv(const FakeJniEnv&) = delete;
  FakeJniEnv& operator=(const FakeJniEnv&) = delete;

  JNIEnv* Env() { return &binding.env; }

  // Java strings and arrays passed as arguments; they live as long as the fake.
  jstring NewString(const std::u16string& text);
  jobjectArray NewStringArray(const std::vector<std::optional<std::u16string>>& elements);

  int PinnedCharacters() const { return static_cast<int>(pinned.size()); }
  int LiveLocalReferences() const { return static_cast<int>(localReferences.size()); }
  bool ExceptionPending() const { return exceptionPending; }
  // True when a call received a reference that was never valid or already deleted.
  bool MisusedReference() const { return misused; }

 private:
  struct Object {
    std::u16string text;
    std::vector<jobject> elements;
  };
  struct Binding {
    JNIEnv env;
    FakeJniEnv* owner;
  };

  static FakeJniEnv& From(JNIEnv* env);
  Object* Resolve(jobject reference);

  static jsize JNICALL GetStringLength(JNIEnv* env, jstring text);
  static const jchar* JNICALL GetStringChars(JNIEnv* env, jstring text, jboolean* isCopy);
  static void JNICALL ReleaseStringChars(JNIEnv* env, jstring text, const jchar* chars);
  static jsize JNICALL GetArrayLength(JNIEnv* env, jarray array);
  static jobject JNICALL GetObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index);
  static void JNICALL DeleteLocalRef(JNIEnv* env, jobject reference);

  JNINativeInterface_ functions;
  Binding binding;
  std::vector<std::unique_ptr<Object>> objects;
  std::map<jobject, Object*> argumentReferences;
  std::map<jobject, Object*> localReferences;
  std::map<const jchar*, std::unique_ptr<std::u16string>> pinned;
  std::vector<std::unique_ptr<char>> referenceCells;
  bool exceptionPending = false;
  bool misused = false;
};

}  // namespace pennaroo::test

#endif
