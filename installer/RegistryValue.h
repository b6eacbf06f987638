#ifndef QUENDRA_INSTALLER_REGISTRYVALUE_H
#define QUENDRA_INSTALLER_REGISTRYVALUE_H

// Read-only registry access with reads that always fit their buffers.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/WindowsHandles.h"

// A value read in full: its type and every character read, without the
// terminating NUL that the read guarantees.
struct RegistryValue {
  DWORD type = REG_NONE;
  std::wstring data;
};

// Opens `path` under `parent` for reading; the result is empty when the key cannot
// be opened. Every read below takes such a key, and an empty one reads as if it
// had no values.
UniqueRegistryKey OpenKeyForReading(HKEY parent, const std::wstring& path);

// Returns false when the value is absent. A null name is the default value.
bool QueryValueType(HKEY key, const wchar_t* name, DWORD& type);

// A REG_DWORD value; anything else reads as absent.
std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name);

// Reads a value of any type into a buffer of `bufferChars` characters that must
// also hold a terminating NUL. A value that does not fit, together with its
// terminator, reads as absent.
std::optional<RegistryValue> ReadBounded(HKEY key, const wchar_t* name, size_t bufferChars);

// The characters of a string value up to its first NUL.
std::wstring ValueText(const RegistryValue& value);

// The strings of a multi-string value, up to the empty string that ends it or the
// end of the data, whichever comes first.
std::vector<std::wstring> ValueStrings(const RegistryValue& value);

#endif
