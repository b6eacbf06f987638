#include "jvm/JavaVirtualMachine.h"

#include <string>
#include <utility>
#include <vector>

#include "config/OptionText.h"
#include "jvm/Exception.h"
#include "jvm/JniClass.h"
#include "jvm/JniLocalRef.h"
#include "jvm/JniStringArray.h"
#include "jvm/JvmLibrary.h"
#include "jvm/JvmOptionList.h"
#include "launch/AppPackage.h"
#include "launch/DiagnosticLog.h"
#include "launch/MessageCatalog.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/PlatformString.h"

namespace {

void AddSystemProperties(const PackageSettings& settings, JvmOptionList& options) {
  options.AddOption(L"-Djava.class.path", settings.classPath);
  options.AddOption(L"-Djava.library.path", settings.appFilesDirectory + L";" + settings.launcherDirectory);
  options.AddOption(L"-Djava.launcher.path", settings.launcherDirectory);
  options.AddOption(L"-Dapp.preferences.id", settings.appId);
}

void AddHeapOptions(const PackageSettings& settings, JvmOptionList& options) {
  if (settings.hasMemorySize != 1) return;
  std::wstring size = PlatformString(static_cast<uint32_t>(settings.memorySize)).toWString() + L"m";
  options.AddOption(L"-Xmx" + size, L"");
  options.AddOption(settings.memorySize <= 256 ? L"-Xms" + size : std::wstring(L"-Xms256m"), L"");
}

std::wstring ToLookupForm(const std::wstring& className) {
  return ReplaceAll(ReplaceAll(className, L".", L"/"), L"\\", L"/");
}

}  // namespace

void JavaVirtualMachine::AddPackageOptions(const PackageSettings& settings, OrderedTable userOptions,
                                           JvmOptionList& options) {
  AddSystemProperties(settings, options);
  options.AddOptions(settings.jvmOptions);
  options.AddOptions(PrepareUserOptions(std::move(userOptions)));
  AddHeapOptions(settings, options);
}

JavaVirtualMachine::JavaVirtualMachine() = default;

JavaVirtualMachine::~JavaVirtualMachine() {
  // A VM that was created and never destroyed still runs code of the library.
  if (vm != nullptr) static_cast<void>(library.release());
}

void JavaVirtualMachine::ReleaseLibrary() {
  library.reset();
}

bool JavaVirtualMachine::StartJVM() {
  Platform& platform = Platform::GetInstance();
  AppPackage& package = AppPackage::GetInstance();
  JvmOptionList options;
  AddPackageOptions(*package.settings, package.CopyUserJvmOptions(), options);
  std::wstring mainClassName = package.settings->mainClassName;
  if (mainClassName.empty()) {
    platform.ShowError(MessageCatalog::GetInstance().GetMessage(L"no.main.class.specified"));
    return false;
  }
  if (!LoadLibraryAndCreate(package, options)) return false;
  try {
    RunMainClass(package, mainClassName);
  } catch (const JavaException& failure) {
    platform.ShowError(failure.message);
    return false;
  }
  return true;
}

bool JavaVirtualMachine::LoadLibraryAndCreate(AppPackage& package, JvmOptionList& options) {
  Platform& platform = Platform::GetInstance();
  library = std::make_unique<JvmLibrary>();
  std::wstring libraryPath = package.GetJVMLibraryFileName();
  library->AddDependencies(platform.SelectRuntimeDependencies(platform.ListLibraryImports(libraryPath)));
  // A library that does not load shows its own message; the missing entry point
  // then reports the failure.
  library->Load(package.GetJVMLibraryFileName());
  const std::wstring& splash = package.settings->splashScreenFileName;
  if (FileExists(splash)) options.AddOption(L"-splash:" + splash, L"");
  JavaVMInitArgs init{};
  init.version = JNI_VERSION_10;
  init.nOptions = static_cast<jint>(options.GetCount());
  init.options = options.BuildOptionArray();
  init.ignoreUnrecognized = JNI_TRUE;
  if (library->CreateJavaVM(&vm, &env, &init)) return true;
  vm = nullptr;
  env = nullptr;
  library.reset();
  return false;
}

void JavaVirtualMachine::RunMainClass(AppPackage& package, const std::wstring& mainClassName) {
  JniClass mainClass(env, ToLookupForm(mainClassName));
  JniStaticMethod main = mainClass.FindStaticMethod(L"main", L"([Ljava/lang/String;)V");
  std::vector<std::wstring> arguments = package.settings->arguments;
  DiagnosticLog::WriteLog("JavaVirtualMachine::StartJVM", 439, "appargs size: %u",
                          static_cast<unsigned>(arguments.size()));
  JniStringArray array(env, arguments);
  JniLocalRef arrayRef(env, array.GetArrayRef());
  // Java threads reach only the package's user tables from here on.
  package.settings.reset();
  main.InvokeVoid(1, array.GetArrayRef());
}

OrderedTable JavaVirtualMachine::PrepareUserOptions(OrderedTable table) {
  OrderedTable prepared;
  for (const auto& entry : table) {
    const std::wstring& name = entry.key;
    const std::wstring& value = entry.value;
    if (!name.empty() && name.back() == L'=') {
      prepared.Append(name.substr(0, name.size() - 1), value);
    } else if (!value.empty() && value.front() == L'=') {
      prepared.Append(name, value.substr(1));
    } else {
      prepared.Append(name + value, L"");
    }
  }
  return prepared;
}
