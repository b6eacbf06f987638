#include "config/PropertyFile.h"

#include "config/OptionText.h"
#include "platform/Platform.h"

bool PropertyFile::LoadFromFile(const std::wstring& fileName) {
  return LoadFromLines(Platform::GetInstance().ReadTextLines(fileName));
}

// The flat format has one comment marker, "#", which the line reader already
// dropped; every other line is an entry, however odd.
bool PropertyFile::LoadFromLines(const std::vector<std::wstring>& lines) {
  if (lines.empty()) return false;
  for (const std::wstring& line : lines) {
    KeyValue entry = SplitNameValue(line);
    entries.Append(entry.key, entry.value);
  }
  return true;
}

bool PropertyFile::GetValue(const std::wstring& key, std::wstring& value) {
  return entries.GetValue(key, value);
}

unsigned PropertyFile::GetCount() {
  return static_cast<unsigned>(entries.Count());
}

bool PropertyFile::SetValue(const std::wstring& key, const std::wstring& value) {
  if (readOnly) return false;
  return entries.SetValue(key, value);
}
