#ifndef QUENDRA_PLATFORM_REGISTRYKEY_H
#define QUENDRA_PLATFORM_REGISTRYKEY_H

#include <windows.h>

#include <string>
#include <vector>

// A read-only view of one registry key below a predefined root. Keys are opened
// with KEY_READ and no view flag, so a 32-bit build reads the 32-bit registry.
// Owns the key it opened last and closes it on Open, Close and destruction.
class RegistryKey {
 public:
  explicit RegistryKey(HKEY root);
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Closes the key held, then opens `subkey` below the root.
  bool Open(const std::wstring& subkey);
  // The value's data read as wide text up to its first zero code unit, whatever its
  // type; empty when the value is missing or no key is open. An empty name reads
  // the default value.
  std::wstring ReadString(const std::wstring& name) const;
  // The names of all values, the default value as an empty name; names of any
  // length are returned whole.
  std::vector<std::wstring> GetValueNames() const;
  void Close();

 private:
  HKEY root;
  HKEY handle = nullptr;
  bool isOpen = false;
};

#endif
