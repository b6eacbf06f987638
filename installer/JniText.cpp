#include "JniText.h"

#include <algorithm>
#include <utility>

namespace {

static_assert(sizeof(jchar) == sizeof(wchar_t), "Java characters are UTF-16 code units");

// The characters pinned by GetStringChars, released on every path.
class PinnedChars {
 public:
  PinnedChars(JNIEnv* env, jstring text)
      : env(env), text(text), chars(env->GetStringChars(text, nullptr)) {}
  ~PinnedChars() {
    if (chars != nullptr) env->ReleaseStringChars(text, chars);
  }
  PinnedChars(const PinnedChars&) = delete;
  PinnedChars& operator=(const PinnedChars&) = delete;
  const jchar* Get() const { return chars; }

 private:
  JNIEnv* env;
  jstring text;
  const jchar* chars;
};

// An element taken out of an array; the native frame would otherwise keep one
// reference per attachment until the call returns.
class LocalReference {
 public:
  LocalReference(JNIEnv* env, jobject object) : env(env), object(object) {}
  ~LocalReference() {
    if (object != nullptr) env->DeleteLocalRef(object);
  }
  LocalReference(const LocalReference&) = delete;
  LocalReference& operator=(const LocalReference&) = delete;
  jobject Get() const { return object; }

 private:
  JNIEnv* env;
  jobject object;
};

}  // namespace

bool JniStringToWide(JNIEnv* env, jstring text, std::wstring& copy) {
  copy.clear();
  if (text == nullptr) return true;
  // The VM need not terminate the characters it hands out, so the length bounds
  // the search for the first NUL.
  const jsize length = env->GetStringLength(text);
  PinnedChars pinned(env, text);
  if (pinned.Get() == nullptr) return false;
  if (length <= 0) return true;
  const wchar_t* begin = reinterpret_cast<const wchar_t*>(pinned.Get());
  copy.assign(begin, std::find(begin, begin + length, L'\0'));
  return true;
}

bool JniStringArrayToList(JNIEnv* env, jobjectArray array, std::vector<std::wstring>& list) {
  list.clear();
  if (array == nullptr) return true;
  const jsize length = env->GetArrayLength(array);
  for (jsize index = 0; index < length; ++index) {
    LocalReference element(env, env->GetObjectArrayElement(array, index));
    std::wstring text;
    if (!JniStringToWide(env, static_cast<jstring>(element.Get()), text)) return false;
    list.push_back(std::move(text));
  }
  return true;
}
