#include "JniText.h"

#include <algorithm>

namespace pennaroo {
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

std::wstring JniStringToWide(JNIEnv* env, jstring text) {
  if (text == nullptr) return std::wstring();
  // The VM need not terminate the characters it hands out, so the length bounds
  // the search for the first NUL.
  const jsize length = env->GetStringLength(text);
  PinnedChars pinned(env, text);
  if (pinned.Get() == nullptr || length <= 0) return std::wstring();
  const wchar_t* begin = reinterpret_cast<const wchar_t*>(pinned.Get());
  const wchar_t* end = std::find(begin, begin + length, L'\0');
  return std::wstring(begin, end);
}

std::vector<std::wstring> JniStringArrayToList(JNIEnv* env, jobjectArray array) {
  std::vector<std::wstring> list;
  if (array == nullptr) return list;
  const jsize length = env->GetArrayLength(array);
  for (jsize index = 0; index < length; ++index) {
    LocalReference element(env, env->GetObjectArrayElement(array, index));
    list.push_back(JniStringToWide(env, static_cast<jstring>(element.Get())));
  }
  return list;
}

}  // namespace pennaroo
