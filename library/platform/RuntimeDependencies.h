#ifndef QUENDRA_PLATFORM_RUNTIMEDEPENDENCIES_H
#define QUENDRA_PLATFORM_RUNTIMEDEPENDENCIES_H

#include <string>
#include <vector>

// Whether a DLL name contains a match of the regular expression "MSVCR.*.DLL"
// (ECMAScript grammar, case-insensitive, not anchored): "MSVCR", then at least one
// character, then "DLL", with no line terminator in between.
bool IsCRuntimeName(const std::wstring& name);

// The C runtime library to load before a JVM library that imports `names`: the
// first name, in import order, that is a C runtime name (above) and lies in the
// runtime's jre\bin\ folder, or else in its bin\ folder. At most one full path;
// none when no such file exists. An empty runtime directory makes both folders
// relative to the current directory.
std::vector<std::wstring> SelectRuntimeDependenciesIn(const std::wstring& runtimeDirectory,
                                                      const std::vector<std::wstring>& names);

#endif
