#include "jvm/JvmOptionList.h"

#include <utility>

#include "config/OptionText.h"
#include "launch/MacroExpander.h"
#include "platform/PlatformString.h"

namespace {

std::string OptionText(const JvmOptionEntry& entry) {
  return PlatformString::WideStringToMultibyteString(
      MacroExpander::GetInstance().ExpandMacros(JoinNameValue(entry.name, entry.value)));
}

}  // namespace

JvmOptionList::JvmOptionList() = default;
JvmOptionList::~JvmOptionList() = default;

void JvmOptionList::AddOption(const std::wstring& name, const std::wstring& value) {
  entries.push_back(JvmOptionEntry{name, value, nullptr});
}

void JvmOptionList::AddOptions(const OrderedTable& table) {
  entries.reserve(entries.size() + table.Count());
  for (const auto& entry : table) AddOption(entry.key, entry.value);
}

JavaVMOption* JvmOptionList::BuildOptionArray() {
  options.reset(new JavaVMOption[entries.size() + 1]());
  optionStrings.clear();
  // Reserved in full, so that no string moves once an option points into it.
  optionStrings.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    optionStrings.push_back(OptionText(entries[i]));
    options[i].optionString = optionStrings.back().data();
    options[i].extraInfo = entries[i].extra;
  }
  return options.get();
}
