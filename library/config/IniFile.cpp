#include "config/IniFile.h"

#include <utility>

#include "config/OptionText.h"
#include "platform/Platform.h"

namespace {

const wchar_t kAddExportsPrefix[] = L"--add-exports";

bool IsComment(const std::wstring& line) {
  return !line.empty() && line[0] == L';';
}

bool IsHeader(const std::wstring& line) {
  return line.size() >= 2 && line.front() == L'[' && line.back() == L']';
}

// The first line that is not a comment must open a section.
bool LooksLikeIniFile(const std::vector<std::wstring>& lines) {
  for (const std::wstring& line : lines) {
    if (IsComment(line)) continue;
    return !line.empty() && line[0] == L'[';
  }
  return false;
}

bool BeginsWithAddExports(const std::wstring& key) {
  return key.compare(0, std::char_traits<wchar_t>::length(kAddExportsPrefix), kAddExportsPrefix) == 0;
}

// The reader removes "\=" and "\\" escapes from a key, and drops any other
// backslash; escaping both keeps backslashes in keys (Windows paths) intact.
std::wstring EscapeKey(const std::wstring& key) {
  std::wstring escaped;
  escaped.reserve(key.size() + 1);
  // A line beginning with one of these would come back as a comment, a header or a
  // whole-line key; a leading backslash is dropped by the reader.
  if (!key.empty() && (key[0] == L';' || key[0] == L'#' || key[0] == L'[' || BeginsWithAddExports(key))) {
    escaped += L'\\';
  }
  for (wchar_t c : key) {
    if (c == L'=' || c == L'\\') escaped += L'\\';
    escaped += c;
  }
  return escaped;
}

// The value is taken verbatim after the first unescaped "=", so it needs no escape.
std::wstring EntryLine(const std::wstring& key, const std::wstring& value) {
  // The reader takes a line beginning with "--add-exports" whole as the key, so
  // such a key with no value is written exactly as it is.
  if (value.empty() && BeginsWithAddExports(key)) return key;
  return EscapeKey(key) + L"=" + value;
}

}  // namespace

IniSectionData::IniSectionData(bool allowDuplicates) {
  entries.SetAllowDuplicates(allowDuplicates);
}

IniSectionData::IniSectionData(OrderedTable given) : entries(std::move(given)) {
  entries.SetAllowDuplicates(false);
}

bool IniSectionData::GetValue(const std::wstring& key, std::wstring& value) {
  return entries.GetValue(key, value);
}

unsigned IniSectionData::GetCount() {
  return static_cast<unsigned>(entries.Count());
}

bool IniSectionData::SetValue(const std::wstring& key, const std::wstring& value) {
  return entries.SetValue(key, value);
}

bool IniSectionData::SetValue(std::wstring&& key, std::wstring&& value) {
  return entries.SetValue(std::move(key), std::move(value));
}

std::vector<std::wstring> IniSectionData::GetLines() const {
  std::vector<std::wstring> lines;
  lines.reserve(entries.Count());
  for (const auto& entry : entries) lines.push_back(EntryLine(entry.key, entry.value));
  return lines;
}

IniFile::~IniFile() = default;

bool IniFile::LoadFromFile(const std::wstring& fileName) {
  return LoadFromLines(Platform::GetInstance().ReadTextLines(fileName));
}

bool IniFile::LoadFromLines(const std::vector<std::wstring>& lines) {
  if (!LooksLikeIniFile(lines)) return false;
  std::wstring current;
  // The section of the current name once it exists; sections never move.
  IniSectionData* section = nullptr;
  for (const std::wstring& line : lines) {
    if (IsComment(line)) continue;
    if (IsHeader(line)) {
      current = line.substr(1, line.size() - 2);
      section = nullptr;
    } else if (!current.empty()) {
      KeyValue entry = SplitNameValue(line);
      if (section != nullptr) {
        section->SetValue(std::move(entry.key), std::move(entry.value));
      } else {
        Append(current, entry.key, entry.value);
        section = FindSection(current);
      }
    }
  }
  return true;
}

bool IniFile::SaveToFile(const std::wstring& fileName, bool perUserFile) {
  WriteToFile(fileName, perUserFile);
  return true;
}

FileWriteResult IniFile::WriteToFile(const std::wstring& fileName, bool perUserFile) {
  return Platform::GetInstance().WriteTextLines(fileName, GetLines(), perUserFile);
}

std::vector<std::wstring> IniFile::GetLines() const {
  std::vector<std::wstring> lines;
  for (const auto& section : sections) {
    lines.push_back(L"[" + section.key + L"]");
    std::vector<std::wstring> entryLines = section.value->GetLines();
    lines.insert(lines.end(), entryLines.begin(), entryLines.end());
    lines.emplace_back();
  }
  return lines;
}

bool IniFile::GetValue(const std::wstring& section, const std::wstring& key, std::wstring& value) {
  IniSectionData* data = FindSection(section);
  return data != nullptr && data->GetValue(key, value);
}

bool IniFile::ContainsSection(const std::wstring& section) {
  return sections.ContainsKey(section);
}

bool IniFile::GetSection(const std::wstring& section, OrderedTable& entries) {
  IniSectionData* data = FindSection(section);
  if (data == nullptr) return false;
  entries.AppendTable(data->GetEntries());
  return true;
}

void IniFile::Append(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  if (IniSectionData* data = FindSection(section)) {
    data->SetValue(key, value);
    return;
  }
  auto data = std::make_unique<IniSectionData>(true);
  data->SetValue(key, value);
  sections.Append(section, std::move(data));
}

void IniFile::AppendSection(const std::wstring& section, OrderedTable entries) {
  if (IniSectionData* data = FindSection(section)) {
    data->AppendEntries(entries);
    return;
  }
  sections.Append(section, std::make_unique<IniSectionData>(std::move(entries)));
}

bool IniFile::SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  if (IniSectionData* data = FindSection(section)) return data->SetValue(key, value);
  Append(section, key, value);
  return false;
}

IniSectionData* IniFile::FindSection(const std::wstring& section) const {
  const std::unique_ptr<IniSectionData>* data = sections.Find(section);
  return data == nullptr ? nullptr : data->get();
}
