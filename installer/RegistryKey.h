// Read-only registry access with reads that always fit their buffers.
#ifndef PENNAROO_REGISTRY_KEY_H
#define PENNAROO_REGISTRY_KEY_H

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace pennaroo {

// A value read in full: its type and every character read, without the
// terminating NUL that the read guarantees.
struct RegistryValue {
  DWORD type = REG_NONE;
  std::wstring data;
};

// Owns an open key; a key that failed to open reads as if it were empty.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey();
  RegistryKey(RegistryKey&& other) noexcept : key(other.key) { other.key = nullptr; }
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens `path` under `parent` for reading.
  static RegistryKey Open(HKEY parent, const std::wstring& path);

  bool IsOpen() const { return key != nullptr; }
  HKEY Get() const { return key; }

  // Returns false when the value is absent. A null name is the default value.
  bool QueryType(const wchar_t* name, DWORD& type) const;

  // A REG_DWORD value; anything else reads as absent.
  std::optional<DWORD> ReadDword(const wchar_t* name) const;

  // Reads a value of any type into a buffer of `bufferChars` characters that
  // must also hold a terminating NUL. A value that does not fit, together with
  // its terminator, reads as absent.
  std::optional<RegistryValue> ReadBounded(const wchar_t* name, size_t bufferChars) const;

 private:
  explicit RegistryKey(HKEY key) : key(key) {}
  HKEY key = nullptr;
};

// The characters of a string value up to its first NUL.
std::wstring ValueText(const RegistryValue& value);

// The strings of a multi-string value, up to the empty string that ends it or the
// end of the data, whichever comes first.
std::vector<std::wstring> ValueStrings(const RegistryValue& value);

}  // namespace pennaroo

#endif
