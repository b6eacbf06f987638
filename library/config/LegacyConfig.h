#ifndef QUENDRA_CONFIG_LEGACYCONFIG_H
#define QUENDRA_CONFIG_LEGACYCONFIG_H

#include <string>
#include <vector>

#include "config/OrderedTable.h"

class IPropertyContainer;
class IniFile;

// The older flat package configuration turned into the sectioned form. Lists are
// numbered keys from 1 without gaps: the first missing number ends a list, and no
// more numbers are tried than the properties have entries.

// "jvmarg.<i>" values, each split into name and value; empty values are skipped.
OrderedTable ReadLegacyJvmArgs(IPropertyContainer& properties);
// "jvmuserarg.<i>.name" / ".value" pairs, unsplit; a pair with an empty part is skipped.
OrderedTable ReadLegacyJvmUserArgs(IPropertyContainer& properties);
// "arg.<i>" values; empty values are skipped.
std::vector<std::wstring> ReadLegacyArgs(IPropertyContainer& properties);

// Appends the key with its value to the application section of `target`, when the
// properties have it.
void CopyApplicationKey(IPropertyContainer& properties, IniFile& target, const std::wstring& keyName);

// Reads the flat file and adds its application keys and its JVM option, user JVM
// option and argument sections to `target`. An unreadable file changes nothing.
void ConvertLegacyConfig(const std::wstring& fileName, IniFile& target);
// The same from properties already read.
void ConvertLegacyProperties(IPropertyContainer& properties, IniFile& target);

#endif
