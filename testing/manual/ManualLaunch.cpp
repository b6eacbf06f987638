#include "ManualLaunch.h"

#include "config/OptionText.h"
#include "config/ScratchFolder.h"
#include "jvm/JavaVirtualMachine.h"
#include "jvm/JvmOptionList.h"
#include "launch/AppPackage.h"
#include "launch/MacroExpander.h"
#include "launch/PackageTestPlatform.h"
#include "launch/StartLauncher.h"
#include "platform/FileSystem.h"
#include "platform/PlatformString.h"

namespace {

// The JVM start's options: the package's and the user's, the heap, then the splash
// screen when its image is there. The global expander is left empty, so the texts
// come back as the list joined them and the package's own macros expand them.
std::vector<std::wstring> JvmOptionTexts(AppPackage& package, const MacroExpander& macros) {
  JvmOptionList options;
  JavaVirtualMachine::AddPackageOptions(*package.settings, package.CopyUserJvmOptions(), options);
  const std::wstring& splash = package.settings->splashScreenFileName;
  if (FileExists(splash)) options.AddOption(L"-splash:" + splash, L"");
  JavaVMOption* array = options.BuildOptionArray();
  std::vector<std::wstring> texts;
  for (size_t i = 0; i < options.GetCount(); ++i) {
    texts.push_back(macros.ExpandMacros(PlatformString::MultibyteStringToWideString(array[i].optionString)));
  }
  return texts;
}

std::wstring InManualFolders(const std::wstring& line, const std::wstring& install, const std::wstring& roaming) {
  return ReplaceAll(ReplaceAll(line, roaming, kManualRoamingFolder), install, kManualInstallFolder);
}

}  // namespace

std::vector<std::wstring> LaunchView(const std::string& configuration, const std::vector<std::wstring>& arguments,
                                     const std::vector<PackageFile>& files) {
  ScratchFolder folder;
  folder.Write(L"app\\quendra3.cfg", configuration);
  for (const PackageFile& file : files) folder.Write(file.path, file.content);
  PackageTestPlatform platform;
  platform.executablePath = folder / L"quendra3.exe";
  platform.roamingDataDirectory = folder / L"roaming";

  std::vector<std::wstring> commandLine = {platform.executablePath};
  commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
  std::vector<const wchar_t*> argv;
  for (const std::wstring& argument : commandLine) argv.push_back(argument.c_str());
  const int argc = static_cast<int>(argv.size());

  // The order of the launch sequence: flags, package, macros, command line.
  ReadLauncherFlags(platform, argc, argv.data());
  MacroExpander macros;
  AppPackage package(platform, macros);
  package.Initialize();
  macros.Initialize(package);
  package.SetCommandLineArguments(argc, argv.data());

  std::vector<std::wstring> view = JvmOptionTexts(package, macros);
  view.push_back(L"main class: " + package.settings->mainClassName);
  for (const std::wstring& argument : package.settings->arguments) view.push_back(L"argument: " + argument);
  std::wstring install = platform.GetInstallDirectory();
  for (std::wstring& line : view) line = InManualFolders(line, install, platform.roamingDataDirectory);
  return view;
}
