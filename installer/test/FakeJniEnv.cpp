#include "FakeJniEnv.h"


namespace pennaroo::test {
namespace {

// Handed out after the characters of a string: a copy that looks for the end
// of the text instead of using its length runs into these.
const char16_t kGuard[] = u"#GUARD#";

}  // namespace

FakeJniEnv::FakeJniEnv() : functions(), binding{JNIEnv(), this} {
  functions.GetStringLength = &GetStringLength;
  functions.GetStringChars = &GetStringChars;
  functions.ReleaseStringChars = &ReleaseStringChars;
  functions.GetArrayLength = &GetArrayLength;
  functions.GetObjectArrayElement = &GetObjectArrayElement;
  functions.DeleteLocalRef = &DeleteLocalRef;
  binding.env.functions = &functions;
}

FakeJniEnv& FakeJniEnv::From(JNIEnv* env) {
  return *reinterpret_cast<Binding*>(env)->owner;
}

jstring FakeJniEnv::NewString(const std::u16string& text) {
  objects.push_back(std::make_unique<Object>());
  objects.back()->text = text;
  referenceCells.push_back(std::make_unique<char>());
  jobject reference = reinterpret_cast<jobject>(referenceCells.back().get());
  argumentReferences[reference] = objects.back().get();
  return static_cast<jstring>(reference);
}

jobjectArray FakeJniEnv::NewStringArray(
    const std::vector<std::optional<std::u16string>>& elements) {
  std::vector<jobject> references;
  for (const auto& element : elements) {
    references.push_back(element ? NewString(*element) : nullptr);
  }
  jobject array = NewString(u"");
  argumentReferences[array]->elements = references;
  return static_cast<jobjectArray>(array);
}

FakeJniEnv::Object* FakeJniEnv::Resolve(jobject reference) {
  for (auto* table : {&argumentReferences, &localReferences}) {
    auto found = table->find(reference);
    if (found != table->end()) return found->second;
  }
  misused = true;
  return nullptr;
}

jsize JNICALL FakeJniEnv::GetStringLength(JNIEnv* env, jstring text) {
  Object* object = From(env).Resolve(text);
  return object != nullptr ? static_cast<jsize>(object->text.size()) : 0;
}

const jchar* JNICALL FakeJniEnv::GetStringChars(JNIEnv* env, jstring text, jboolean* isCopy) {
  FakeJniEnv& self = From(env);
  Object* object = self.Resolve(text);
  if (object == nullptr) return nullptr;
  auto copy = std::make_unique<std::u16string>(object->text + kGuard);
  const jchar* chars = reinterpret_cast<const jchar*>(copy->data());
  self.pinned[chars] = std::move(copy);
  if (isCopy != nullptr) *isCopy = JNI_TRUE;
  return chars;
}

void JNICALL FakeJniEnv::ReleaseStringChars(JNIEnv* env, jstring text, const jchar* chars) {
  FakeJniEnv& self = From(env);
  self.Resolve(text);
  if (self.pinned.erase(chars) == 0) self.misused = true;
}

jsize JNICALL FakeJniEnv::GetArrayLength(JNIEnv* env, jarray array) {
  Object* object = From(env).Resolve(array);
  return object != nullptr ? static_cast<jsize>(object->elements.size()) : 0;
}

jobject JNICALL FakeJniEnv::GetObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index) {
  FakeJniEnv& self = From(env);
  Object* object = self.Resolve(array);
  if (object == nullptr) return nullptr;
  if (index < 0 || static_cast<size_t>(index) >= object->elements.size()) {
    self.exceptionPending = true;
    return nullptr;
  }
  jobject element = object->elements[static_cast<size_t>(index)];
  if (element == nullptr) return nullptr;
  self.referenceCells.push_back(std::make_unique<char>());
  jobject local = reinterpret_cast<jobject>(self.referenceCells.back().get());
  self.localReferences[local] = self.argumentReferences[element];
  return local;
}

void JNICALL FakeJniEnv::DeleteLocalRef(JNIEnv* env, jobject reference) {
  FakeJniEnv& self = From(env);
  if (reference == nullptr) return;
  if (self.localReferences.erase(reference) == 0) self.misused = true;
}

}  // namespace pennaroo::test
