// The option list's array handed to the real JNI_CreateJavaVM: the VM sees every
// option in order, a later duplicate winning as the VM's own rule says, macros
// already expanded. This executable creates its own VM, so it shares none.
#include <gtest/gtest.h>

#include <string>

#include "jvm/JvmOptionList.h"
#include "launch/MacroExpander.h"

// The JVM handles SIGSEGV itself, and its heap is not ours to leak-check.
extern "C" const char* __asan_default_options() {
  return "handle_segv=0:allow_user_segv_handler=1:detect_leaks=0";
}

namespace {

std::string Property(JNIEnv* env, const char* name) {
  jclass system = env->FindClass("java/lang/System");
  jmethodID get = env->GetStaticMethodID(system, "getProperty", "(Ljava/lang/String;)Ljava/lang/String;");
  jstring key = env->NewStringUTF(name);
  jstring value = static_cast<jstring>(env->CallStaticObjectMethod(system, get, key));
  EXPECT_FALSE(env->ExceptionCheck());
  std::string text = "<null>";
  if (value != nullptr) {
    const char* chars = env->GetStringUTFChars(value, nullptr);
    text = chars;
    env->ReleaseStringUTFChars(value, chars);
  }
  env->DeleteLocalRef(value);
  env->DeleteLocalRef(key);
  env->DeleteLocalRef(system);
  return text;
}

TEST(JvmOptionListCreateTest, RealVmReceivesTheOptions) {
  MacroExpander::GetInstance().AddMacro(L"$CREATETESTDIR", L"/opt/pkg");
  JvmOptionList list;
  list.AddOption(L"-Dquendra.twice", L"1");
  list.AddOption(L"-Xss1m", L"");
  list.AddOption(L"-Dquendra.twice", L"2");
  list.AddOption(L"-Dquendra.path", L"$CREATETESTDIR/lib");
  list.AddOption(L"-Dquendra.empty", L"");
  list.AddOption(L"-XX:+NoSuchOptionAnywhere", L"");
  JavaVMInitArgs init{};
  init.version = JNI_VERSION_10;
  init.nOptions = static_cast<jint>(list.GetCount());
  init.options = list.BuildOptionArray();
  init.ignoreUnrecognized = JNI_TRUE;
  JavaVM* vm = nullptr;
  void* env = nullptr;
  ASSERT_EQ(JNI_OK, JNI_CreateJavaVM(&vm, &env, &init));
  JNIEnv* jni = static_cast<JNIEnv*>(env);
  EXPECT_EQ("2", Property(jni, "quendra.twice"));
  EXPECT_EQ("/opt/pkg/lib", Property(jni, "quendra.path"));
  EXPECT_EQ("", Property(jni, "quendra.empty"));
  vm->DestroyJavaVM();
}

}  // namespace
