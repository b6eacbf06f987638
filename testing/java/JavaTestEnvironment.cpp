#include "JavaTestEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The JVM handles SIGSEGV itself (implicit null checks, safepoints), and its heap is
// not ours to leak-check.
extern "C" const char* __asan_default_options() {
  return "handle_segv=0:allow_user_segv_handler=1:detect_leaks=0";
}

namespace javatest {

namespace {

JavaVM* sharedVm = nullptr;
JNIEnv* sharedEnv = nullptr;

class JavaTestEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    std::vector<std::string> texts = {
        std::string("-Djava.class.path=") + QUENDRA_JAVA_TEST_CLASSES,
        // Turns a JNI call the VM forbids (for instance with an exception pending)
        // into a fatal error instead of undefined behaviour.
        "-Xcheck:jni", "-Xmx64m", "-XX:+UseSerialGC", "-XX:TieredStopAtLevel=1", "-XX:-UsePerfData"};
    std::vector<JavaVMOption> options;
    for (std::string& text : texts) options.push_back({&text[0], nullptr});
    JavaVMInitArgs init{};
    init.version = JNI_VERSION_10;
    init.nOptions = static_cast<jint>(options.size());
    init.options = options.data();
    init.ignoreUnrecognized = JNI_FALSE;
    void* env = nullptr;
    ASSERT_EQ(JNI_OK, JNI_CreateJavaVM(&sharedVm, &env, &init));
    sharedEnv = static_cast<JNIEnv*>(env);
  }

  void TearDown() override {
    if (sharedVm != nullptr) sharedVm->DestroyJavaVM();
    sharedVm = nullptr;
    sharedEnv = nullptr;
  }
};

const testing::Environment* const registered = testing::AddGlobalTestEnvironment(new JavaTestEnvironment());

}  // namespace

JNIEnv* Env() {
  return sharedEnv;
}

JavaVM* Vm() {
  return sharedVm;
}

}  // namespace javatest
