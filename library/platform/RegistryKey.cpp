#include "platform/RegistryKey.h"

#include <algorithm>

namespace {

const DWORD kInitialNameCapacity = 255;
// Value names are at most 16383 characters; a capacity past this cannot be needed.
const size_t kLargestNameCapacity = 32768;

// One value name by index, growing the buffer while the name does not fit.
bool ReadValueName(HKEY key, DWORD index, std::vector<wchar_t>& buffer, std::wstring& name) {
  for (;;) {
    std::fill(buffer.begin(), buffer.end(), L'\0');
    DWORD capacity = static_cast<DWORD>(buffer.size());
    LONG result = RegEnumValueW(key, index, buffer.data(), &capacity, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) {
      name.assign(buffer.data());
      return true;
    }
    if (result != ERROR_MORE_DATA || buffer.size() >= kLargestNameCapacity) return false;
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

}  // namespace

RegistryKey::RegistryKey(HKEY root) : root(root) {}

RegistryKey::~RegistryKey() { Close(); }

bool RegistryKey::Open(const std::wstring& subkey) {
  Close();
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  handle = opened;
  isOpen = true;
  return true;
}

std::wstring RegistryKey::ReadString(const std::wstring& name) const {
  if (!isOpen) return {};
  DWORD size = 0;
  LONG result = RegQueryValueExW(handle, name.c_str(), nullptr, nullptr, nullptr, &size);
  if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return {};
  // One character more than the data's byte count: the text always ends in a zero,
  // even when the stored data has no terminator or an odd length.
  std::vector<wchar_t> buffer(static_cast<size_t>(size) + 1, L'\0');
  if (RegQueryValueExW(handle, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                       &size) != ERROR_SUCCESS) {
    return {};
  }
  return std::wstring(buffer.data());
}

std::vector<std::wstring> RegistryKey::GetValueNames() const {
  std::vector<std::wstring> names;
  DWORD count = 0;
  if (!isOpen || RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                                  nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return names;
  }
  std::vector<wchar_t> buffer(kInitialNameCapacity, L'\0');
  for (DWORD index = 0; index < count; ++index) {
    std::wstring name;
    if (ReadValueName(handle, index, buffer, name)) names.push_back(name);
  }
  return names;
}

void RegistryKey::Close() {
  if (!isOpen) return;
  RegCloseKey(handle);
  handle = nullptr;
  isOpen = false;
}
