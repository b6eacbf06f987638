#include "config/LegacyConfig.h"

#include "config/IPropertyContainer.h"
#include "config/IniFile.h"
#include "config/OptionText.h"
#include "config/PropertyFile.h"
#include "platform/Platform.h"

namespace {

// The application keys a flat file may carry, by logical identifier, in the order
// they are copied.
const wchar_t* const kApplicationKeys[] = {
    L"CONFIG_MAINJAR_KEY",  L"CONFIG_MAINCLASSNAME_KEY", L"CONFIG_CLASSPATH_KEY",
    L"APP_NAME_KEY",        L"CONFIG_APP_ID_KEY",        L"JVM_RUNTIME_KEY",
    L"CONFIG_APP_IDENTIFIER", L"CONFIG_APP_MEMORY",      L"CONFIG_SPLASH_KEY",
};

// Calls `take` with "1", "2", "3" ... until it reports a missing key. A list can
// have no more items than the properties have entries, so no more are tried.
template <typename Take>
void ForEachNumber(IPropertyContainer& properties, Take take) {
  const unsigned long long count = properties.GetCount();
  for (unsigned long long i = 1; i <= count; ++i) {
    if (!take(std::to_wstring(i))) return;
  }
}

}  // namespace

OrderedTable ReadLegacyJvmArgs(IPropertyContainer& properties) {
  OrderedTable options;
  ForEachNumber(properties, [&](const std::wstring& number) {
    std::wstring text;
    if (!properties.GetValue(L"jvmarg." + number, text)) return false;
    if (!text.empty()) {
      KeyValue option = SplitNameValue(text);
      options.Append(option.key, option.value);
    }
    return true;
  });
  return options;
}

OrderedTable ReadLegacyJvmUserArgs(IPropertyContainer& properties) {
  OrderedTable options;
  ForEachNumber(properties, [&](const std::wstring& number) {
    std::wstring name;
    std::wstring value;
    if (!properties.GetValue(L"jvmuserarg." + number + L".name", name) ||
        !properties.GetValue(L"jvmuserarg." + number + L".value", value)) {
      return false;
    }
    if (!name.empty() && !value.empty()) options.Append(name, value);
    return true;
  });
  return options;
}

std::vector<std::wstring> ReadLegacyArgs(IPropertyContainer& properties) {
  std::vector<std::wstring> arguments;
  ForEachNumber(properties, [&](const std::wstring& number) {
    std::wstring argument;
    if (!properties.GetValue(L"arg." + number, argument)) return false;
    if (!argument.empty()) arguments.push_back(argument);
    return true;
  });
  return arguments;
}

void CopyApplicationKey(IPropertyContainer& properties, IniFile& target, const std::wstring& keyName) {
  std::wstring value;
  if (!properties.GetValue(keyName, value)) return;
  ConfigKeyTable keys = Platform::GetInstance().GetConfigKeyTable();
  target.Append(keys[L"CONFIG_SECTION_APPLICATION"], keyName, value);
}

void ConvertLegacyConfig(const std::wstring& fileName, IniFile& target) {
  PropertyFile properties;
  if (!properties.LoadFromFile(fileName)) return;
  ConvertLegacyProperties(properties, target);
}

void ConvertLegacyProperties(IPropertyContainer& properties, IniFile& target) {
  ConfigKeyTable keys = Platform::GetInstance().GetConfigKeyTable();
  for (const wchar_t* identifier : kApplicationKeys) CopyApplicationKey(properties, target, keys[identifier]);
  target.AppendSection(keys[L"CONFIG_SECTION_JVMOPTIONS"], ReadLegacyJvmArgs(properties));
  target.AppendSection(keys[L"CONFIG_SECTION_JVMUSEROPTIONS"], ReadLegacyJvmUserArgs(properties));
  OrderedTable arguments;
  for (const std::wstring& argument : ReadLegacyArgs(properties)) {
    KeyValue pair = SplitNameValue(argument);
    arguments.Append(pair.key, pair.value);
  }
  target.AppendSection(keys[L"CONFIG_SECTION_ARGOPTIONS"], arguments);
}
