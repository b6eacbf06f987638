#include "platform/GenericPlatform.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"

namespace {

struct ConfigName {
  const wchar_t* identifier;
  const wchar_t* name;
};

const ConfigName kConfigNames[] = {
    {L"CONFIG_VERSION", L"app.version"},
    {L"CONFIG_MAINJAR_KEY", L"app.mainjar"},
    {L"CONFIG_MAINCLASSNAME_KEY", L"app.mainclass"},
    {L"CONFIG_CLASSPATH_KEY", L"app.classpath"},
    {L"APP_NAME_KEY", L"app.name"},
    {L"CONFIG_APP_ID_KEY", L"app.preferences.id"},
    {L"JVM_RUNTIME_KEY", L"app.runtime"},
    {L"CONFIG_APP_IDENTIFIER", L"app.identifier"},
    {L"CONFIG_APP_MEMORY", L"app.memory"},
    {L"CONFIG_SPLASH_KEY", L"app.splash"},
    {L"CONFIG_SECTION_APPLICATION", L"Application"},
    {L"CONFIG_SECTION_JVMOPTIONS", L"JVMOptions"},
    {L"CONFIG_SECTION_JVMUSEROPTIONS", L"JVMUserOptions"},
    {L"CONFIG_SECTION_JVMUSEROVERRIDESOPTIONS", L"JVMUserOverrideOptions"},
    {L"CONFIG_SECTION_APPCDSJVMOPTIONS", L"AppCDSJVMOptions"},
    {L"CONFIG_SECTION_APPCDSGENERATECACHEJVMOPTIONS", L"AppCDSGenerateCacheJVMOptions"},
    {L"CONFIG_SECTION_ARGOPTIONS", L"ArgOptions"},
};

}  // namespace

std::wstring GenericPlatform::GetAppFilesDirectory() {
  return IncludeTrailingBackslash(GetInstallDirectory()) + L"app";
}

std::wstring GenericPlatform::GetLauncherDirectory() {
  return GetInstallDirectory();
}

std::wstring GenericPlatform::GetLauncherName() {
  return ChangeExtension(ExtractFileName(GetExecutablePath()), L"");
}

std::wstring GenericPlatform::FindConfigFile() {
  std::wstring directory = GetAppFilesDirectory();
  if (directory.empty()) return {};
  directory = IncludeTrailingBackslash(directory);
  std::wstring named = directory + GetLauncherName() + L".cfg";
  if (FileExists(named)) return named;
  std::wstring fallback = directory + L"package.cfg";
  if (FileExists(fallback)) return fallback;
  return {};
}

ConfigKeyTable GenericPlatform::GetConfigKeyTable() {
  ConfigKeyTable table;
  for (const ConfigName& entry : kConfigNames) table.emplace(entry.identifier, entry.name);
  return table;
}

std::vector<std::wstring> GenericPlatform::ReadTextLines(const std::wstring& path) {
  return ::ReadTextLines(path);
}

FileWriteResult GenericPlatform::WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines,
                                                bool perUserFile) {
  return ::WriteTextLines(path, lines, perUserFile);
}
