#include "RegistryScript.h"

#include "platform/WindowsHandles.h"

namespace {

constexpr wchar_t kBlanks[] = L" \t\r";

std::wstring Trimmed(const std::wstring& text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring::npos) return std::wstring();
  std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::wstring Substituted(std::wstring text, const ScriptVariables& variables) {
  for (const auto& [name, value] : variables) {
    const std::wstring token = L"%" + name + L"%";
    for (std::size_t at = text.find(token); at != std::wstring::npos;
         at = text.find(token, at + value.size())) {
      text.replace(at, token.size(), value);
    }
  }
  return text;
}

std::optional<KeyRemoval> RemovalNamed(const std::wstring& word) {
  if (word == L"kept") return KeyRemoval::Kept;
  if (word == L"normal") return KeyRemoval::Normal;
  if (word == L"replaced") return KeyRemoval::Replaced;
  return std::nullopt;
}

std::optional<RegistryEntry> ParseKeyLine(const std::wstring& line,
                                          const ScriptVariables& variables) {
  std::size_t blank = line.find_first_of(kBlanks);
  if (blank == std::wstring::npos) return std::nullopt;
  std::optional<KeyRemoval> removal = RemovalNamed(line.substr(0, blank));
  std::wstring key = Trimmed(line.substr(blank));
  if (!removal || key.empty()) return std::nullopt;
  return RegistryEntry{*removal, Substituted(key, variables), {}};
}

// Values are split at the first "=" before substitution, so a module path that
// holds one stays in the data.
std::optional<RegistryValue> ParseValueLine(const std::wstring& line,
                                            const ScriptVariables& variables) {
  std::size_t equals = line.find(L'=');
  if (equals == std::wstring::npos) return std::nullopt;
  std::wstring name = Trimmed(line.substr(0, equals));
  if (name.empty()) return std::nullopt;
  if (name == L"@") name.clear();
  return RegistryValue{name, Substituted(Trimmed(line.substr(equals + 1)), variables)};
}

bool ParseLine(const std::wstring& line, const ScriptVariables& variables,
               std::vector<RegistryEntry>& entries) {
  std::wstring content = Trimmed(line);
  if (content.empty() || content[0] == L'#') return true;
  if (line[0] != L' ' && line[0] != L'\t') {
    std::optional<RegistryEntry> entry = ParseKeyLine(content, variables);
    if (entry) entries.push_back(std::move(*entry));
    return entry.has_value();
  }
  std::optional<RegistryValue> value = ParseValueLine(content, variables);
  if (!value || entries.empty()) return false;
  entries.back().values.push_back(std::move(*value));
  return true;
}

LSTATUS DeleteKeyTree(HKEY root, const std::wstring& key) {
  LSTATUS status = ::RegDeleteTreeW(root, key.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LSTATUS WriteValue(HKEY key, const RegistryValue& value) {
  const wchar_t* name = value.name.empty() ? nullptr : value.name.c_str();
  DWORD bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data.c_str()),
                          bytes);
}

LSTATUS WriteEntry(HKEY root, const RegistryEntry& entry) {
  if (entry.removal == KeyRemoval::Replaced) {
    if (LSTATUS status = DeleteKeyTree(root, entry.key); status != ERROR_SUCCESS) return status;
  }
  UniqueRegistryKey key;
  LSTATUS status = ::RegCreateKeyExW(root, entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, key.receive(), nullptr);
  for (std::size_t i = 0; status == ERROR_SUCCESS && i < entry.values.size(); ++i) {
    status = WriteValue(key.get(), entry.values[i]);
  }
  return status;
}

}  // namespace

std::optional<std::vector<RegistryEntry>> ParseRegistryScript(const std::wstring& text,
                                                              const ScriptVariables& variables) {
  std::vector<RegistryEntry> entries;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    if (!ParseLine(text.substr(start, end - start), variables, entries)) return std::nullopt;
    start = end + 1;
  }
  return entries;
}

std::optional<std::wstring> LoadRegistryScript(HMODULE module, int id) {
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"REGISTRY");
  if (resource == nullptr) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(module, resource);
  const char* bytes = loaded != nullptr ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
  int size = static_cast<int>(::SizeofResource(module, resource));
  if (bytes == nullptr || size == 0) return std::nullopt;
  int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, size, text.data(), length);
  return text;
}

HRESULT ApplyRegistryEntries(HKEY root, const std::vector<RegistryEntry>& entries) {
  for (const RegistryEntry& entry : entries) {
    if (LSTATUS status = WriteEntry(root, entry); status != ERROR_SUCCESS) {
      return HRESULT_FROM_WIN32(status);
    }
  }
  return S_OK;
}

HRESULT RemoveRegistryEntries(HKEY root, const std::vector<RegistryEntry>& entries) {
  HRESULT result = S_OK;
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    if (entry->removal == KeyRemoval::Kept) continue;
    LSTATUS status = DeleteKeyTree(root, entry->key);
    if (status != ERROR_SUCCESS && SUCCEEDED(result)) result = HRESULT_FROM_WIN32(status);
  }
  return result;
}
