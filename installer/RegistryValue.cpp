#include "RegistryValue.h"

#include <algorithm>

UniqueRegistryKey OpenKeyForReading(HKEY parent, const std::wstring& path) {
  UniqueRegistryKey key;
  if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS) {
    return UniqueRegistryKey();
  }
  return key;
}

bool QueryValueType(HKEY key, const wchar_t* name, DWORD& type) {
  if (key == nullptr) return false;
  return ::RegQueryValueExW(key, name, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name) {
  if (key == nullptr) return std::nullopt;
  DWORD type = REG_NONE;
  DWORD value = 0;
  DWORD size = sizeof(value);
  const LONG status = ::RegQueryValueExW(key, name, nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<RegistryValue> ReadBounded(HKEY key, const wchar_t* name, size_t bufferChars) {
  if (key == nullptr || bufferChars == 0) return std::nullopt;
  std::vector<wchar_t> buffer(bufferChars, L'\0');
  RegistryValue value;
  DWORD size = static_cast<DWORD>(bufferChars * sizeof(wchar_t));
  const LONG status = ::RegQueryValueExW(key, name, nullptr, &value.type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (status != ERROR_SUCCESS) return std::nullopt;
  size_t chars = size / sizeof(wchar_t);
  // The data may arrive with or without its own terminator; either way one must
  // fit in the buffer.
  if (chars > 0 && buffer[chars - 1] == L'\0') {
    --chars;
  } else if (chars == bufferChars) {
    return std::nullopt;
  }
  value.data.assign(buffer.data(), chars);
  return value;
}

std::wstring ValueText(const RegistryValue& value) {
  return value.data.substr(0, value.data.find(L'\0'));
}

std::vector<std::wstring> ValueStrings(const RegistryValue& value) {
  std::vector<std::wstring> strings;
  size_t start = 0;
  while (start < value.data.size()) {
    const size_t end = std::min(value.data.find(L'\0', start), value.data.size());
    if (end == start) break;
    strings.push_back(value.data.substr(start, end - start));
    start = end + 1;
  }
  return strings;
}
