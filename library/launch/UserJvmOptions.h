#ifndef QUENDRA_LAUNCH_USERJVMOPTIONS_H
#define QUENDRA_LAUNCH_USERJVMOPTIONS_H

#include <string>

#include "config/OrderedTable.h"

// The rules of the JVM options that the user may change: the package's defaults,
// the user's overrides and the per-user file that keeps them.

// The defaults in their own order with the user's values in place, followed by
// the options that only the user has, in the user's order.
OrderedTable MergeUserJvmOptionTables(const OrderedTable& defaults, const OrderedTable& overrides);

// The new values worth keeping as overrides, in their order: those the defaults do
// not have and those that differ from their default. A value equal to its default
// is dropped.
OrderedTable SelectUserJvmOptionOverrides(const OrderedTable& defaults, const OrderedTable& newValues);

// "<roaming>\<appIdentifier>\packager\jvmuserargs.cfg"; an empty identifier puts
// the "packager" folder directly below the roaming folder. No macros are expanded.
std::wstring MakeUserConfigFileName(const std::wstring& roamingDataDirectory, const std::wstring& appIdentifier);

// The user's overrides: the section `section` of the user file when the file
// exists (a malformed file gives none and the preferences are not consulted),
// otherwise the Java user preferences of `appId`.
OrderedTable ReadUserJvmOptionOverrides(const std::wstring& fileName, const std::wstring& section,
                                        const std::wstring& appId);

// Replaces the user file with one section holding the overrides, creating missing
// folders. A file that cannot be replaced stays whole; the failure, with the file
// and the system's error, goes to the diagnostic log and to nobody else.
void WriteUserJvmOptionOverrides(const std::wstring& fileName, const std::wstring& section,
                                 const OrderedTable& overrides);

#endif
