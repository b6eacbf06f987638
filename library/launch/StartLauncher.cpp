#include "launch/StartLauncher.h"

#include <memory>
#include <string>
#include <vector>

#include "jvm/Exception.h"
#include "jvm/JavaVirtualMachine.h"
#include "launch/AppCDS.h"
#include "launch/AppPackage.h"
#include "launch/DiagnosticLog.h"
#include "launch/MacroExpander.h"
#include "launch/MessageCatalog.h"
#include "launch/PackageSettings.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/PlatformString.h"
#include "platform/Process.h"

namespace {

const wchar_t kGenerateCacheFlag[] = L"-Xappcds:generatecache";
const wchar_t kAppCDSOffFlag[] = L"-Xappcds:off";
const wchar_t kChildFlag[] = L"-Xapp:child";
const wchar_t kLaunchFailed[] = L"Failed to launch JVM\n";

struct Launch {
  Platform& platform;
  AppPackage& package;
  int argc;
  const wchar_t* const* argv;
  bool childStartAllowed;
};

// A second copy of this executable writes the missing cache while this thread
// waits. When it wrote nothing, this launch goes on without class-data sharing:
// the package is loaded again for the plain JVM options, and the user's
// command-line arguments still reach the application.
void GenerateMissingCache(Launch& launch) {
  std::unique_ptr<Process> child = launch.platform.NewProcess();
  child->Execute(launch.platform.GetExecutablePath(), {kGenerateCacheFlag, kChildFlag}, true);
  child.reset();
  if (FileExists(launch.package.GetAppCDSCacheFileName())) return;
  launch.platform.SetAppCDSMode(AppCDSMode::Off);
  launch.package.Reload();
  launch.package.SetCommandLineArguments(launch.argc, launch.argv);
}

void PrepareCache(Launch& launch) {
  switch (launch.platform.GetAppCDSMode()) {
    case AppCDSMode::GenerateCache:
      PrepareAppCDSCacheGeneration(launch.package);
      break;
    case AppCDSMode::Auto:
      if (launch.childStartAllowed && !FileExists(launch.package.GetAppCDSCacheFileName())) {
        GenerateMissingCache(launch);
      }
      break;
    default:
      break;
  }
}

// In On and Auto the JVM is told to use the cache, so it must be there.
void RequireCache(Launch& launch) {
  AppCDSMode mode = launch.platform.GetAppCDSMode();
  if (mode == AppCDSMode::Undetermined) throw Exception(L"Internal Error");
  if (mode != AppCDSMode::On && mode != AppCDSMode::Auto) return;
  std::wstring cacheFile = launch.package.GetAppCDSCacheFileName();
  if (FileExists(cacheFile)) return;
  std::wstring text = MessageCatalog::GetInstance().GetMessage(L"appcds.cache.file.not.found");
  throw FileNotFoundException(PlatformString::Format(text, cacheFile));
}

// DestroyJavaVM waits for the application's remaining non-daemon threads; the JVM
// library stays loaded until it has returned.
bool RunJvm(Platform& platform) {
  JavaVirtualMachine jvm;
  if (!jvm.StartJVM()) {
    platform.ShowError(kLaunchFailed);
    return false;
  }
  if (jvm.vm != nullptr) {
    if (jvm.vm->DetachCurrentThread() != 0) platform.ShowError(L"Detach failed.");
    jvm.vm->DestroyJavaVM();
    jvm.ReleaseLibrary();
  }
  return true;
}

bool Run(Platform& platform, int argc, const wchar_t* const* argv) {
  bool childStartAllowed = ReadLauncherFlags(platform, argc, argv);
  AppPackage& package = AppPackage::GetInstance();
  MacroExpander::GetInstance().Initialize(package);
  package.SetCommandLineArguments(argc, argv);
  if (package.settings) platform.ChangeWorkingDirectory(package.settings->appFilesDirectory);
  Launch launch{platform, package, argc, argv, childStartAllowed};
  PrepareCache(launch);
  RequireCache(launch);
  return RunJvm(platform);
}

}  // namespace

bool ReadLauncherFlags(Platform& platform, int argc, const wchar_t* const* argv) {
  bool childStartAllowed = true;
  for (int i = 0; i < argc; ++i) {
    DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", static_cast<unsigned>(i), argv[i]);
    std::wstring argument = argv[i];
    if (argument == kGenerateCacheFlag) {
      platform.SetAppCDSMode(AppCDSMode::GenerateCache);
    } else if (argument == kAppCDSOffFlag) {
      platform.SetAppCDSMode(AppCDSMode::Off);
    } else if (argument == kChildFlag) {
      childStartAllowed = false;
    }
  }
  return childStartAllowed;
}

// Every failure of the launch is shown and ends it with false; nothing thrown
// leaves the library, since the executable has no handler of its own. A failure
// that is not the launcher's own (memory running out while reading a damaged
// runtime, say) gets the generic launch message, and the log says what it was.
extern "C" bool start_launcher(int argc, wchar_t* argv[]) {
  Platform& platform = Platform::GetInstance();
  if (argv == nullptr) argc = 0;
  try {
    try {
      return Run(platform, argc, argv);
    } catch (const Exception& failure) {
      platform.ShowError(failure.message);
    } catch (...) {
      LogCaughtException("start_launcher", 134);
      platform.ShowError(kLaunchFailed);
    }
  } catch (...) {
    // Showing the message failed as well; the exit code is all that is left.
  }
  return false;
}
