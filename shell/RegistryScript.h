#ifndef QUENDRA_SHELL_REGISTRYSCRIPT_H
#define QUENDRA_SHELL_REGISTRYSCRIPT_H

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// How a key is treated when the module is unregistered (and, for replaced keys,
// before it is written again).
enum class KeyRemoval {
  Kept,      // shared with others: created when missing, never deleted
  Normal,    // written when registering, deleted with its subkeys when unregistering
  Replaced,  // deleted with its subkeys before it is written, and when unregistering
};

struct RegistryValue {
  std::wstring name;  // empty for the default value
  std::wstring data;
};

struct RegistryEntry {
  KeyRemoval removal;
  std::wstring key;  // below the registration root
  std::vector<RegistryValue> values;
};

// %NAME% in key names and value data is replaced by the paired text.
using ScriptVariables = std::vector<std::pair<std::wstring, std::wstring>>;

// Reads a registry script. A line "kept|normal|replaced <key>" names a key; the
// indented lines after it, "<name> = <data>" with "@" for the default value, are
// its string values. Blank lines and lines starting with "#" are ignored. Gives
// nothing when a line does not follow these rules.
std::optional<std::vector<RegistryEntry>> ParseRegistryScript(const std::wstring& text,
                                                              const ScriptVariables& variables);

// The text of a registry script resource of the module (type "REGISTRY", UTF-8).
std::optional<std::wstring> LoadRegistryScript(HMODULE module, int id);

// Writes the entries below `root`; stops at the first failure and gives its code.
HRESULT ApplyRegistryEntries(HKEY root, const std::vector<RegistryEntry>& entries);

// Deletes the normal and replaced keys below `root`, in reverse script order so a
// subkey goes before its parent. Keys already
// gone count as removed; every key is tried and the first failure is given.
HRESULT RemoveRegistryEntries(HKEY root, const std::vector<RegistryEntry>& entries);

#endif
