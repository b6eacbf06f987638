#include "launch/UserJvmOptions.h"

#include <vector>

#include "config/IniFile.h"
#include "jvm/WindowsJavaUserPreferences.h"
#include "launch/DiagnosticLog.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"

namespace {

// The value of the key's first entry; the key comes from the same table.
std::wstring FirstValue(const OrderedTable& table, const std::wstring& key) {
  std::wstring value;
  table.GetValue(key, value);
  return value;
}

bool DiffersFromDefault(const OrderedTable& defaults, const OrderedTable& newValues, const std::wstring& key) {
  std::wstring defaultValue;
  std::wstring newValue;
  if (!defaults.GetValue(key, defaultValue)) return true;
  return newValues.GetValue(key, newValue) && newValue != defaultValue;
}

OrderedTable ReadOverridesFromFile(const std::wstring& fileName, const std::wstring& section) {
  OrderedTable overrides;
  IniFile file;
  if (file.LoadFromFile(fileName)) file.GetSection(section, overrides);
  return overrides;
}

OrderedTable ReadOverridesFromPreferences(const std::wstring& appId) {
  OrderedTable overrides;
  WindowsJavaUserPreferences preferences;
  if (preferences.LoadOptions(appId)) overrides.AppendTable(preferences.userOptions);
  return overrides;
}

}  // namespace

OrderedTable MergeUserJvmOptionTables(const OrderedTable& defaults, const OrderedTable& overrides) {
  OrderedTable merged(defaults);
  std::vector<std::wstring> userOnly;
  for (const std::wstring& key : overrides.GetKeys()) {
    if (merged.ContainsKey(key)) {
      merged.ValueOf(key) = FirstValue(overrides, key);
    } else {
      userOnly.push_back(key);
    }
  }
  for (const std::wstring& key : userOnly) merged.Append(key, FirstValue(overrides, key));
  return merged;
}

OrderedTable SelectUserJvmOptionOverrides(const OrderedTable& defaults, const OrderedTable& newValues) {
  OrderedTable kept;
  for (const std::wstring& key : newValues.GetKeys()) {
    if (DiffersFromDefault(defaults, newValues, key)) kept.Append(key, FirstValue(newValues, key));
  }
  return kept;
}

std::wstring MakeUserConfigFileName(const std::wstring& roamingDataDirectory, const std::wstring& appIdentifier) {
  return IncludeTrailingBackslash(roamingDataDirectory) + IncludeTrailingBackslash(appIdentifier) +
         L"packager\\jvmuserargs.cfg";
}

OrderedTable ReadUserJvmOptionOverrides(const std::wstring& fileName, const std::wstring& section,
                                        const std::wstring& appId) {
  if (FileExists(fileName)) return ReadOverridesFromFile(fileName, section);
  return ReadOverridesFromPreferences(appId);
}

void WriteUserJvmOptionOverrides(const std::wstring& fileName, const std::wstring& section,
                                 const OrderedTable& overrides) {
  IniFile file;
  file.AppendSection(section, overrides);
  FileWriteResult result = file.WriteToFile(fileName, true);
  if (result) return;
  // The change still holds in this process; support sees here why it was gone at
  // the next start.
  std::wstring reason = DescribeSystemError(result.systemError);
  DiagnosticLog::WriteLog("WriteUserJvmOptionOverrides", 85, "cannot replace %S: system error %u %S",
                          fileName.c_str(), static_cast<unsigned>(result.systemError), reason.c_str());
}
