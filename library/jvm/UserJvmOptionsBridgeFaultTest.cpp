// The five bridge functions when something other than a JNI failure goes wrong
// inside them: nothing may unwind into the VM. The fault is injected through the
// environment: the test thread's own environment gets, for one call, a copy of the
// VM's function table in which one function throws std::bad_alloc, as an
// allocation failing inside the call would. (The checked VM accepts only the
// thread's own environment pointer, so the table is swapped, not the pointer.)
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "JavaTestEnvironment.h"
#include "jvm/UserJvmOptionsBridge.h"
#include "launch/AppPackage.h"

namespace {

namespace fs = std::filesystem;

const char kPrefix[] = "Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1";

// The test thread's environment with its function table replaced by a copy, for
// the life of the object.
class FaultyTable {
 public:
  explicit FaultyTable(JNIEnv* env) : table(*env->functions), env(env), original(env->functions) {
    env->functions = &table;
  }
  ~FaultyTable() { env->functions = original; }
  FaultyTable(const FaultyTable&) = delete;
  FaultyTable& operator=(const FaultyTable&) = delete;

  JNINativeInterface_ table;

 private:
  JNIEnv* env;
  const JNINativeInterface_* original;
};

[[noreturn]] void Fail() { throw std::bad_alloc(); }

// A profile of the test's own with the diagnostic log switched on.
class LoggingProfile {
 public:
  LoggingProfile() : folder(fs::temp_directory_path() / ("quendra-bridge-fault-" + std::to_string(getpid()))) {
    fs::create_directories(folder / ".tarsel" / "quendra3");
    std::ofstream(folder / ".tarsel" / "quendra3" / "packager.log");
    setenv("USERPROFILE", folder.c_str(), 1);
  }
  ~LoggingProfile() {
    unsetenv("USERPROFILE");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  // The messages of the log, without their time stamps.
  std::vector<std::string> Messages() const {
    std::ifstream in(folder / ".tarsel" / "quendra3" / "packager.log");
    std::vector<std::string> messages;
    for (std::string line; std::getline(in, line);) messages.push_back(line.substr(20));
    return messages;
  }

 private:
  fs::path folder;
};

struct Call {
  const char* method;
  int line;
  void (*inject)(JNINativeInterface_& table);
  // Calls the export; true when it answered its "nothing". The Java arguments are
  // made before the fault is injected.
  bool (*run)(JNIEnv* env, jobject key, jobjectArray keys);
};


const Call kCalls[] = {
    {"getUserJvmOptionDefaultKeys", 94,
     [](JNINativeInterface_& t) { t.FindClass = [](JNIEnv*, const char*) -> jclass { Fail(); }; },
     [](JNIEnv* env, jobject, jobjectArray) {
       return Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultKeys(
                  env, nullptr) == nullptr;
     }},
    {"getUserJvmOptionDefaultValue", 100,
     [](JNINativeInterface_& t) {
       t.GetStringUTFChars = [](JNIEnv*, jstring, jboolean*) -> const char* { Fail(); };
     },
     [](JNIEnv* env, jobject key, jobjectArray) {
       return Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultValue(
                  env, nullptr, static_cast<jstring>(key)) == nullptr;
     }},
    {"getUserJvmOptionKeys", 106,
     [](JNINativeInterface_& t) {
       t.NewStringUTF = [](JNIEnv*, const char*) -> jstring { Fail(); };
     },
     [](JNIEnv* env, jobject, jobjectArray) {
       return Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionKeys(env, nullptr) ==
              nullptr;
     }},
    {"getUserJvmOptionValue", 112,
     [](JNINativeInterface_& t) {
       t.NewStringUTF = [](JNIEnv*, const char*) -> jstring { Fail(); };
     },
     [](JNIEnv* env, jobject key, jobjectArray) {
       return Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionValue(
                  env, nullptr, static_cast<jstring>(key)) == nullptr;
     }},
    {"setUserJvmKeysAndValues", 118,
     [](JNINativeInterface_& t) {
       t.GetObjectArrayElement = [](JNIEnv*, jobjectArray, jsize) -> jobject { Fail(); };
     },
     [](JNIEnv* env, jobject, jobjectArray keys) {
       Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1setUserJvmKeysAndValues(env, nullptr, keys,
                                                                                                  keys);
       std::wstring value;
       return AppPackage::GetInstance().CopyUserJvmOptions().GetValue(L"-Xmx", value) && value == L"256m";
     }},
};

// Each call answers null or changes nothing, leaves no Java exception pending, and
// leaves one log line naming the export and what was thrown.
TEST(UserJvmOptionsBridgeFaultTest, NothingThrownLeavesTheExports) {
  JNIEnv* env = javatest::Env();
  AppPackage& package = AppPackage::GetInstance();
  package.userConfigFileName = L"/tmp/quendra-bridge-fault-" + std::to_wstring(getpid()) + L"/jvmuserargs.cfg";
  package.userJvmOptionDefaults.Clear();
  package.userJvmOptionDefaults.Append(L"-Xmx", L"256m");
  package.userJvmOptionOverrides.Clear();
  package.MergeUserJvmOptions();
  jstring key = env->NewStringUTF("-Xmx");
  jclass stringClass = env->FindClass("java/lang/String");
  jobjectArray keys = env->NewObjectArray(1, stringClass, key);
  ASSERT_NE(nullptr, keys);
  for (const Call& call : kCalls) {
    SCOPED_TRACE(call.method);
    LoggingProfile profile;
    bool nothing = false;
    {
      FaultyTable faulty(env);
      call.inject(faulty.table);
      EXPECT_NO_THROW(nothing = call.run(env, key, keys));
    }
    EXPECT_TRUE(nothing);
    EXPECT_FALSE(env->ExceptionCheck());
    std::string expected = kPrefix + std::string(call.method) + "() [" + std::to_string(call.line) +
                           "] failed: std::bad_alloc";
    EXPECT_EQ(std::vector<std::string>{expected}, profile.Messages());
  }
  env->DeleteLocalRef(keys);
  env->DeleteLocalRef(stringClass);
  env->DeleteLocalRef(key);
}

}  // namespace
