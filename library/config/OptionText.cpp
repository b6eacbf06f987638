#include "config/OptionText.h"

#include "config/OrderedTable.h"

namespace {

const wchar_t kAddExportsPrefix[] = L"--add-exports";

bool BeginsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}

}  // namespace

KeyValue SplitNameValue(const std::wstring& line) {
  KeyValue result;
  // Module exports carry "=" inside the option itself; splitting them would break
  // the option apart.
  if (BeginsWith(line, kAddExportsPrefix)) {
    result.key = line;
    return result;
  }
  // Up to the first "=" or backslash the key is the line as it stands.
  size_t position = line.find_first_of(L"=\\");
  result.key.assign(line, 0, position);
  while (position < line.size()) {
    wchar_t c = line[position];
    if (c == L'=') {
      result.value = line.substr(position + 1);
      break;
    }
    if (c == L'\\') {
      wchar_t next = position + 1 < line.size() ? line[position + 1] : L'\0';
      if (next == L'=' || next == L'\\') {
        result.key += next;
        position += 2;
      } else {
        ++position;
      }
      continue;
    }
    result.key += c;
    ++position;
  }
  return result;
}

std::wstring ReplaceAll(const std::wstring& text, const std::wstring& search, const std::wstring& replacement) {
  // An empty search text would match everywhere without advancing.
  if (search.empty()) return text;
  // Counted first, so that the result is allocated once at its final size.
  size_t count = 0;
  for (size_t found = text.find(search); found != std::wstring::npos; found = text.find(search, found + search.size())) {
    ++count;
  }
  if (count == 0) return text;
  std::wstring result;
  result.reserve(text.size() - count * search.size() + count * replacement.size());
  size_t start = 0;
  for (size_t found = text.find(search); found != std::wstring::npos; found = text.find(search, start)) {
    result.append(text, start, found - start);
    result += replacement;
    start = found + search.size();
  }
  result.append(text, start, std::wstring::npos);
  return result;
}

std::wstring SeparatorsToSlashes(const std::wstring& text) {
  return ReplaceAll(ReplaceAll(text, L".", L"/"), L"\\", L"/");
}

std::wstring JoinNameValue(const std::wstring& name, const std::wstring& value) {
  if (value.empty()) return name;
  std::wstring joined;
  joined.reserve(name.size() + 1 + value.size());
  joined.append(name).append(1, L'=').append(value);
  return joined;
}

std::vector<std::wstring> TableToArgumentList(const OrderedTable& table) {
  std::vector<std::wstring> arguments;
  arguments.reserve(table.Count());
  for (const auto& entry : table) arguments.push_back(JoinNameValue(entry.key, entry.value));
  return arguments;
}
