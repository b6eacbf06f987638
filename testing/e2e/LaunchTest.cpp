// Whole launches under Wine: quendra3.exe -> lumapack.dll -> the JVM stand-in in
// the package's runtime folder, all of this tree's bitness. What the "VM" received and every box the user saw
// are checked exactly.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "PackageRun.h"
#include "StubRun.h"
#include "platform/WindowsHandles.h"

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;

namespace {

const char kMainOnly[] = "classes=lv/demo/Main\n";

std::wstring ReplaceSlashes(std::wstring text) {
  for (wchar_t& c : text) c = c == L'/' ? L'\\' : c;
  return text;
}

std::string Native(const std::wstring& path) {
  return stubrun::Utf8(path);
}

// A package in the sectioned format with a runtime of its own and class-data
// sharing off.
std::string IniConfig(const PackageRun& run, const std::string& extraApplication = "",
                      const std::string& sections = "") {
  return "[Application]\n"
         "app.mainjar=demo.jar\n"
         "app.mainclass=lv.demo.Main\n"
         "app.classpath=lib/a.jar\n"
         "app.runtime=$APPDIR\\runtime\n"
         "app.preferences.id=lv/tarsel/test\n"
         "app.identifier=" + run.Identifier() + "\n" + extraApplication +
         "\n[JVMOptions]\n"
         "-Dpkg.dir=$PACKAGEDIR\n"
         "-Xss2m\n"
         "-Dtwice=1\n"
         "-Dtwice=2\n"
         "\n[ArgOptions]\n"
         "-new\n"
         "mode=fast\n" +
         sections;
}

std::vector<std::string> SystemProperties(const PackageRun& run) {
  std::string app = Native(run.Directory()) + "\\app";
  return {"-Djava.class.path=" + app + "\\demo.jar;lib/a.jar", "-Djava.library.path=" + app + ";" + Native(run.Directory()),
          "-Djava.launcher.path=" + Native(run.Directory()), "-Dapp.preferences.id=lv/tarsel/test"};
}

std::vector<std::string> Concat(std::vector<std::string> first, const std::vector<std::string>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// After a successful run: main came back, the thread was detached with the class
// reference released, the VM destroyed, and nothing the real VM forbids happened.
void ExpectCleanEnd(const PackageRun& run) {
  EXPECT_THAT(run.Lines("misuse "), IsEmpty());
  EXPECT_THAT(run.Lines("DeleteLocalRef class "), testing::Contains("lv/demo/Main"));
  EXPECT_THAT(run.Lines("DetachCurrentThread "), ElementsAre(testing::HasSubstr("utfchars=0")));
  EXPECT_THAT(run.Lines("DestroyJavaVM"), ElementsAre(""));
}

TEST(LaunchTest, FullPackageHandsOverOptionsClassAndArguments) {
  PackageRun run(L"full");
  run.WriteConfig(IniConfig(run));
  run.InstallStub(kMainOnly);
  PackageRun::Result result = run.Launch(L"");
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_THAT(result.messages, IsEmpty());
  EXPECT_THAT(run.Lines("create "), ElementsAre("version=0xa0000 nOptions=8 ignoreUnrecognized=1"));
  std::string app = Native(run.Directory()) + "\\app";
  EXPECT_THAT(run.Lines("option "), ElementsAreArray(Concat(SystemProperties(run),
                                                            {"-Dpkg.dir=" + app, "-Xss2m", "-Dtwice=1", "-Dtwice=2"})));
  EXPECT_THAT(run.Lines("FindClass "), testing::Contains("lv/demo/Main"));
  EXPECT_THAT(run.Lines("main "), ElementsAre("lv/demo/Main argc=2", "returns"));
  EXPECT_THAT(run.Lines("arg "), ElementsAre("-new", "mode=fast"));
  ExpectCleanEnd(run);
}

TEST(LaunchTest, CommandLineArgumentsReplaceTheConfiguredOnes) {
  PackageRun run(L"arguments");
  run.WriteConfig(IniConfig(run));
  run.InstallStub(kMainOnly);
  PackageRun::Result result = run.Launch(L"-sign \"C:\\docs\\Jānis Наталья 😀.edoc\" -Xappcds:off -XAPPCDS:OFF");
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_THAT(run.Lines("arg "), ElementsAre("-sign", "C:\\docs\\Jānis Наталья 😀.edoc", "-Xappcds:off", "-XAPPCDS:OFF"));
  ExpectCleanEnd(run);
}

const wchar_t kJavaRuntimeKey[] = L"SOFTWARE\\JavaSoft\\Java Runtime Environment";

// The registry view of this process and the other one: a 32-bit process reads the
// 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE (stored under WOW6432Node), where a
// 32-bit Java runtime registers itself; a 64-bit one reads the 64-bit view.
REGSAM OwnView() { return sizeof(void*) == 4 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY; }
REGSAM OtherView() { return sizeof(void*) == 4 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

void SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
  ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// Registers a Java runtime as its installer does, in one registry view.
void RegisterRuntime(REGSAM view, const std::wstring& home) {
  UniqueRegistryKey key;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kJavaRuntimeKey, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                             nullptr, key.receive(), nullptr));
  const std::wstring version = L"1.8.0";
  SetString(key.get(), L"CurrentVersion", version);
  UniqueRegistryKey versionKey;
  ::RegCreateKeyExW(key.get(), version.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, versionKey.receive(),
                    nullptr);
  SetString(versionKey.get(), L"JavaHome", home);
}

void UnregisterRuntime(REGSAM view) {
  UniqueRegistryKey javaSoft;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\JavaSoft", 0, KEY_ALL_ACCESS | view, javaSoft.receive()) !=
      ERROR_SUCCESS) {
    return;
  }
  ::RegDeleteTreeW(javaSoft.get(), L"Java Runtime Environment");
}

// A flat package names no runtime; the launcher then takes the one registered in
// its own registry view, and one registered only for the other bitness, which it
// could not load, is not seen.
TEST(LaunchTest, FlatPackageFindsTheRuntimeRegisteredForItsBitness) {
  PackageRun run(L"flat");
  std::wstring registered = run.Directory() + L"\\registered-jre";
  run.InstallStubIn(registered, kMainOnly);
  run.WriteConfig("app.mainjar=demo.jar\napp.mainclass=lv/demo/Main\napp.preferences.id=lv/tarsel/test\n"
                  "app.identifier=" + run.Identifier() + "\njvmarg.1=-Dflat=yes\njvmarg.2=-Xss1m\narg.1=-export\n");
  UnregisterRuntime(OwnView());
  RegisterRuntime(OtherView(), registered);
  PackageRun::Result other = run.Launch(L"");
  EXPECT_EQ(1u, other.exitCode);
  EXPECT_THAT(other.messages, testing::Contains("Failed to launch JVM\n"));
  EXPECT_THAT(run.Record(), IsEmpty()) << "the runtime of the other view was used";
  UnregisterRuntime(OtherView());

  RegisterRuntime(OwnView(), registered);
  PackageRun::Result result = run.Launch(L"");
  UnregisterRuntime(OwnView());
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_THAT(result.messages, IsEmpty());
  std::string app = Native(run.Directory()) + "\\app";
  EXPECT_THAT(run.Lines("option "),
              ElementsAreArray(Concat({"-Djava.class.path=" + app + "\\demo.jar", "-Djava.library.path=" + app + ";" +
                                       Native(run.Directory()), "-Djava.launcher.path=" + Native(run.Directory()),
                                       "-Dapp.preferences.id=lv/tarsel/test"},
                                      {"-Dflat=yes", "-Xss1m"})));
  EXPECT_THAT(run.Lines("arg "), ElementsAre("-export"));
  ExpectCleanEnd(run);
}

// The heap follows the address space of the launcher's process: 2047 MB for a
// 32-bit one, 134217727 MB for a 64-bit one (as Wine and current Windows give
// them). The maximum is the share that app.memory names; the initial size is the
// same up to 256 MB and 256 MB above that. Splash and heap options come last.
TEST(LaunchTest, MemoryAndSplashOptionsComeLast) {
  struct Case {
    int bits;
    const char* setting;
    const char* maximum;
    const char* initial;
  };
  const Case kCases[] = {
      {32, "auto", "-Xmx2047m", "-Xms256m"},
      {32, "50%", "-Xmx1023m", "-Xms256m"},
      {32, "10%", "-Xmx204m", "-Xms204m"},
      {64, "auto", "-Xmx134217727m", "-Xms256m"},
      {64, "50%", "-Xmx67108863m", "-Xms256m"},
      {64, "1%", "-Xmx1342177m", "-Xms256m"},
  };
  for (const Case& c : kCases) {
    if (c.bits != static_cast<int>(sizeof(void*) * 8)) continue;
    SCOPED_TRACE(c.setting);
    PackageRun run(L"memory");
    run.WriteConfig(IniConfig(run, "app.memory=" + std::string(c.setting) + "\napp.splash=img/splash.png\n"));
    ::CreateDirectoryW((run.Directory() + L"\\app\\img").c_str(), nullptr);
    stubrun::WriteUtf8File(run.Directory() + L"\\app\\img\\splash.png", "png");
    run.InstallStub(kMainOnly);
    PackageRun::Result result = run.Launch(L"");
    EXPECT_EQ(0u, result.exitCode);
    std::vector<std::string> options = run.Lines("option ");
    ASSERT_GE(options.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(options.end() - 3, options.end()),
                ElementsAre(c.maximum, c.initial, "-splash:" + Native(run.Directory()) + "\\app\\img\\splash.png"));
  }
}

struct FailureCase {
  const char* name;
  std::string application;  // replaces the main class line
  std::string stub;
  std::vector<std::string> messages;
};

TEST(LaunchTest, EveryFailureIsShownInOrderAndEndsWithExitCodeOne) {
  const std::string launchFailed = "Failed to launch JVM\n";
  const FailureCase kCases[] = {
      {"no main class", "", kMainOnly, {"No main class specified", launchFailed}},
      {"class not found", "app.mainclass=lv.demo.Missing\n", kMainOnly, {"Class lv/demo/Missing not found.", launchFailed}},
      {"no main", "app.mainclass=lv.demo.Plain\n", "nomain=lv/demo/Plain\n",
       {"No method main in class lv/demo/Plain.", launchFailed}},
      {"main throws", "app.mainclass=lv.demo.Main\n", "classes=lv/demo/Main\nmain.throw=java/lang/IllegalStateException\n",
       {"Error invoking method.", launchFailed}},
      {"create fails", "app.mainclass=lv.demo.Main\n", "classes=lv/demo/Main\ncreate.result=-1\n",
       {"Failed to create JVM", launchFailed}},
  };
  for (const FailureCase& c : kCases) {
    SCOPED_TRACE(c.name);
    PackageRun run(L"failure");
    std::string config = IniConfig(run);
    config.replace(config.find("app.mainclass=lv.demo.Main\n"), 27, c.application);
    run.WriteConfig(config);
    run.InstallStub(c.stub);
    PackageRun::Result result = run.Launch(L"");
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_EQ(c.messages, result.messages);
    EXPECT_THAT(run.Lines("misuse "), IsEmpty());
  }
}

TEST(LaunchTest, MissingJvmLibraryGivesThreeMessages) {
  PackageRun run(L"nojvm");
  run.WriteConfig(IniConfig(run));
  PackageRun::Result result = run.Launch(L"");
  EXPECT_EQ(1u, result.exitCode);
  std::string library = Native(run.RuntimeDirectory()) + "\\bin\\server\\jvm.dll";
  EXPECT_THAT(result.messages, ElementsAre(library, "Failed to locate JNI_CreateJavaVM", "Failed to launch JVM\n"));
  ASSERT_EQ(3u, result.captions.size());
  EXPECT_EQ("Failed to find library.", result.captions[0]);
}

std::string CdsConfig(const PackageRun& run, const std::string& cacheSetting) {
  return IniConfig(run, cacheSetting,
                   "\n[AppCDSJVMOptions]\n-Xshare:auto\n-XX:SharedArchiveFile=$CACHEDIR/app.jsa\n"
                   "\n[AppCDSGenerateCacheJVMOptions]\n-Xshare:dump\n-XX:SharedArchiveFile=$CACHEDIR/app.jsa\n");
}

std::vector<std::string> CdsOptions(const PackageRun& run) {
  std::string cache = Native(run.UserDirectory()) + "\\cache";
  return Concat(SystemProperties(run),
                {"-Xshare:auto", "-XX:SharedArchiveFile=" + cache + "/app.jsa", "-XX:SharedArchiveFile=" + cache + "\\app.jsa"});
}

std::vector<std::string> PlainOptions(const PackageRun& run) {
  return Concat(SystemProperties(run), {"-Dpkg.dir=" + Native(run.Directory()) + "\\app", "-Xss2m", "-Dtwice=1", "-Dtwice=2"});
}

TEST(LaunchTest, CacheRequiredButMissingStopsTheLaunch) {
  // On always requires the cache; Auto does too in a process that may not start the
  // generating child.
  struct Case {
    const char* setting;
    const wchar_t* arguments;
  };
  const Case kCases[] = {{"", L""}, {"app.appcds.cache=auto\n", L"-Xapp:child"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.setting);
    PackageRun run(L"cds-on");
    run.WriteConfig(CdsConfig(run, c.setting));
    run.InstallStub(kMainOnly);
    PackageRun::Result result = run.Launch(c.arguments);
    EXPECT_EQ(1u, result.exitCode);
    std::string cache = Native(run.UserDirectory()) + "\\cache\\app.jsa";
    EXPECT_THAT(result.messages, ElementsAre("Error: AppCDS cache does not exists:\n" + cache + "\n"));
    EXPECT_THAT(run.Lines("process "), IsEmpty());
  }
}

TEST(LaunchTest, AutoCacheIsGeneratedOnceByAChild) {
  PackageRun run(L"cds-auto");
  run.WriteConfig(CdsConfig(run, "app.appcds.cache=auto\n"));
  run.InstallStub(kMainOnly);
  PackageRun::Result result = run.Launch(L"-sign");
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_THAT(result.messages, IsEmpty());
  std::vector<std::string> processes = run.Lines("process ");
  ASSERT_EQ(2u, processes.size());
  EXPECT_THAT(processes[0], testing::EndsWith("quendra3.exe -Xappcds:generatecache -Xapp:child"));
  std::string cache = Native(run.UserDirectory()) + "\\cache";
  EXPECT_THAT(run.Lines("archive "), ElementsAre("written " + cache + "/app.jsa"));
  std::vector<std::string> options = run.Lines("option ");
  std::vector<std::string> child = Concat(SystemProperties(run), {"-Xshare:dump", "-XX:SharedArchiveFile=" + cache + "/app.jsa"});
  EXPECT_EQ(Concat(child, CdsOptions(run)), options);
  EXPECT_THAT(run.Lines("arg "), ElementsAre("-sign"));
  ExpectCleanEnd(run);

  run.ClearRecord();
  EXPECT_EQ(0u, run.Launch(L"").exitCode);
  EXPECT_EQ(1u, run.Lines("process ").size());
  EXPECT_EQ(CdsOptions(run), run.Lines("option "));
}

TEST(LaunchTest, AutoCacheThatIsNotMadeFallsBackSilently) {
  PackageRun run(L"cds-fallback");
  run.WriteConfig(CdsConfig(run, "app.appcds.cache=auto\n"));
  run.InstallStub("classes=lv/demo/Main\narchive=none\n");
  PackageRun::Result result = run.Launch(L"-sign x.pdf");
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_THAT(result.messages, IsEmpty());
  EXPECT_EQ(2u, run.Lines("process ").size());
  std::vector<std::string> options = run.Lines("option ");
  std::vector<std::string> plain = PlainOptions(run);
  ASSERT_GE(options.size(), plain.size());
  EXPECT_EQ(plain, std::vector<std::string>(options.end() - plain.size(), options.end()));
  // The user's arguments survive the reload of the package.
  EXPECT_THAT(run.Lines("arg "), ElementsAre("-sign", "x.pdf"));
  ExpectCleanEnd(run);
}

TEST(LaunchTest, CacheOffFlagOverridesAuto) {
  PackageRun run(L"cds-off");
  run.WriteConfig(CdsConfig(run, "app.appcds.cache=auto\n"));
  run.InstallStub(kMainOnly);
  PackageRun::Result result = run.Launch(L"-Xappcds:off");
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_EQ(1u, run.Lines("process ").size());
  EXPECT_EQ(PlainOptions(run), run.Lines("option "));
  EXPECT_THAT(run.Lines("arg "), ElementsAre("-Xappcds:off"));
}

const char kUserDefaults[] = "\n[JVMUserOptions]\n-Xmx=256m\n-Dcolor\\==blue\n";

std::vector<std::string> UserOptionsOf(const PackageRun& run) {
  std::vector<std::string> options = run.Lines("option ");
  size_t skip = PlainOptions(run).size();
  return options.size() < skip ? options : std::vector<std::string>(options.begin() + skip, options.end());
}

TEST(LaunchTest, UserOptionsComeFromDefaultsFileAndPreferences) {
  PackageRun defaults(L"user-defaults");
  defaults.WriteConfig(IniConfig(defaults, "", kUserDefaults));
  defaults.InstallStub(kMainOnly);
  EXPECT_EQ(0u, defaults.Launch(L"").exitCode);
  EXPECT_THAT(UserOptionsOf(defaults), ElementsAre("-Xmx256m", "-Dcolor=blue"));

  PackageRun file(L"user-file");
  file.WriteConfig(IniConfig(file, "", kUserDefaults));
  file.InstallStub(kMainOnly);
  ::SHCreateDirectoryExW(nullptr, (file.UserDirectory() + L"\\packager").c_str(), nullptr);
  stubrun::WriteUtf8File(file.UserDirectory() + L"\\packager\\jvmuserargs.cfg",
                         "[JVMUserOverrideOptions]\n-Xmx=1g\n-Dextra\\==Rīga\n\n");
  EXPECT_EQ(0u, file.Launch(L"").exitCode);
  EXPECT_THAT(UserOptionsOf(file), ElementsAre("-Xmx1g", "-Dcolor=blue", "-Dextra=Rīga"));

  PackageRun preferences(L"user-prefs");
  std::string appId = "lv/tarsel/" + preferences.Identifier().substr(preferences.Identifier().rfind('-') + 1);
  std::string config = IniConfig(preferences, "", kUserDefaults);
  config.replace(config.find("lv/tarsel/test"), 14, appId);
  preferences.WriteConfig(config);
  preferences.InstallStub(kMainOnly);
  std::wstring key = L"SOFTWARE\\JavaSoft\\Prefs\\" + ReplaceSlashes(stubrun::Wide(appId)) + L"\\/J/V/M/User/Options";
  const wchar_t value[] = L"768m";
  ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"-/Xmx", REG_SZ, value, sizeof value));
  EXPECT_EQ(0u, preferences.Launch(L"").exitCode);
  std::vector<std::string> options = preferences.Lines("option ");
  EXPECT_THAT(std::vector<std::string>(options.end() - 2, options.end()), ElementsAre("-Xmx768m", "-Dcolor=blue"));
  ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"SOFTWARE\\JavaSoft\\Prefs\\" + ReplaceSlashes(stubrun::Wide(appId))).c_str());
}

// The export each native method was bound to, in the order of first use: a 32-bit
// VM asks for the __stdcall name "_Java_...@N" (N: bytes of the arguments) before
// the plain one, so on 32-bit the decorated exports must be there; a 64-bit VM
// knows only the plain name. A wrong calling convention shows as a misuse.
std::vector<std::string> BoundNames(const std::vector<std::pair<std::string, int>>& methods) {
  const std::string prefix = "Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1";
  std::vector<std::string> lines;
  for (const auto& method : methods) {
    std::string name = prefix + method.first;
    if (sizeof(void*) == 4) name = "_" + name + "@" + std::to_string(method.second);
    lines.push_back(method.first + " " + name);
  }
  return lines;
}

TEST(LaunchTest, ApplicationChangesItsUserOptionsThroughTheExports) {
  PackageRun run(L"bridge");
  run.WriteConfig(IniConfig(run, "", kUserDefaults));
  run.InstallStub(
      "classes=lv/demo/Main\n"
      "bridge=getUserJvmOptionDefaultKeys\n"
      "bridge=getUserJvmOptionDefaultValue -Xmx\n"
      "bridge=setUserJvmKeysAndValues [-Xmx|-Dcolor=|-Dcity=] [1024m|blue|Rīga Москва 😀]\n"
      "bridge=getUserJvmOptionValue -Xmx\n"
      "bridge=getUserJvmOptionKeys\n"
      "bridge=setUserJvmKeysAndValues [-Xmx|-Dlost] [2048m]\n"
      "bridge=getUserJvmOptionValue -Dcity=\n"
      "bridge=getUserJvmOptionValue <null>\n"
      "bridge=getUserJvmOptionValue -Dabsent\n");
  EXPECT_EQ(0u, run.Launch(L"").exitCode);
  EXPECT_THAT(run.Lines("bridge "),
              ElementsAre("getUserJvmOptionDefaultKeys -> [-Xmx|-Dcolor=]", "getUserJvmOptionDefaultValue -Xmx -> \"256m\"",
                          "setUserJvmKeysAndValues [-Xmx|-Dcolor=|-Dcity=] [1024m|blue|Rīga Москва 😀] -> null",
                          "getUserJvmOptionValue -Xmx -> \"1024m\"", "getUserJvmOptionKeys -> [-Xmx|-Dcolor=|-Dcity=]",
                          "setUserJvmKeysAndValues [-Xmx|-Dlost] [2048m] -> null",
                          "getUserJvmOptionValue -Dcity= -> \"Rīga Москва 😀\"", "getUserJvmOptionValue <null> -> null",
                          "getUserJvmOptionValue -Dabsent -> \"\""));
  ExpectCleanEnd(run);
  EXPECT_THAT(run.Lines("bound "), ElementsAreArray(BoundNames({{"getUserJvmOptionDefaultKeys", 8},
                                                                {"getUserJvmOptionDefaultValue", 12},
                                                                {"setUserJvmKeysAndValues", 16},
                                                                {"getUserJvmOptionValue", 12},
                                                                {"getUserJvmOptionKeys", 8}})));

  run.ClearRecord();
  run.InstallStub(kMainOnly);
  EXPECT_EQ(0u, run.Launch(L"").exitCode);
  EXPECT_THAT(UserOptionsOf(run), ElementsAre("-Xmx1024m", "-Dcolor=blue", "-Dcity=Rīga Москва 😀"));
}

TEST(LaunchTest, ConcurrentJavaThreadsUseTheExportsSafely) {
  PackageRun run(L"bridge-threads");
  run.WriteConfig(IniConfig(run, "", kUserDefaults));
  std::string calls = "classes=lv/demo/Main\nbridge.threads=4\n";
  for (int i = 0; i < 20; ++i) {
    calls += "bridge=setUserJvmKeysAndValues [-Xmx|-Dround] [" + std::to_string(i) + "m|" + std::to_string(i) + "]\n"
             "bridge=getUserJvmOptionKeys\nbridge=getUserJvmOptionValue -Xmx\n";
  }
  run.InstallStub(calls);
  EXPECT_EQ(0u, run.Launch(L"").exitCode);
  std::vector<std::string> answers = run.Lines("bridge ");
  EXPECT_EQ(4u * 60u, answers.size());
  for (const std::string& answer : answers) {
    // Every answer is a whole table: both keys present, a value that some thread set.
    if (answer.rfind("getUserJvmOptionKeys", 0) == 0) {
      EXPECT_EQ("getUserJvmOptionKeys -> [-Xmx|-Dcolor=|-Dround]", answer);
    }
    if (answer.rfind("getUserJvmOptionValue", 0) == 0) {
      EXPECT_THAT(answer, testing::AllOf(testing::HasSubstr("-> \""), testing::EndsWith("m\"")));
    }
  }
  ExpectCleanEnd(run);
}

TEST(LaunchTest, FailedDetachIsShownAndTheRunStillSucceeds) {
  PackageRun run(L"detach");
  run.WriteConfig(IniConfig(run));
  run.InstallStub("classes=lv/demo/Main\ndetach.result=-1\n");
  PackageRun::Result result = run.Launch(L"");
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_THAT(result.messages, ElementsAre("Detach failed."));
  EXPECT_THAT(run.Lines("DestroyJavaVM"), ElementsAre(" attached"));
}

}  // namespace
