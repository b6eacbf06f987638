#include "jvm/JvmOptionList.h"

#include <cstring>
#include <utility>

#include "config/OptionText.h"
#include "launch/MacroExpander.h"
#include "platform/PlatformString.h"

namespace {

std::unique_ptr<char[]> OptionText(const JvmOptionEntry& entry) {
  std::wstring joined = MacroExpander::GetInstance().ExpandMacros(JoinNameValue(entry.name, entry.value));
  std::string utf8 = PlatformString::WideStringToMultibyteString(joined);
  std::unique_ptr<char[]> text(new char[utf8.size() + 1]);
  std::memcpy(text.get(), utf8.c_str(), utf8.size() + 1);
  return text;
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
  for (size_t i = 0; i < entries.size(); ++i) {
    optionStrings.push_back(OptionText(entries[i]));
    options[i].optionString = optionStrings.back().get();
    options[i].extraInfo = entries[i].extra;
  }
  return options.get();
}
