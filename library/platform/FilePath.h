#ifndef QUENDRA_PLATFORM_FILEPATH_H
#define QUENDRA_PLATFORM_FILEPATH_H

#include <string>

// Path text rules. The only separator is the backslash; a slash becomes one only
// through ToBackslashes. None of these touches the file system.

// The path with a trailing backslash, unless it is empty or already has one.
std::wstring IncludeTrailingBackslash(const std::wstring& path);
// The text before the last backslash; empty when there is none. "C:\" gives "C:".
std::wstring ExtractDirectory(const std::wstring& path);
// The text after the last backslash; empty when there is none.
std::wstring ExtractFileName(const std::wstring& path);
// The text before the last full stop followed by the extension; the path unchanged
// when it has no full stop or that text would be empty.
std::wstring ChangeExtension(const std::wstring& path, const std::wstring& extension);
// Every slash replaced by a backslash.
std::wstring ToBackslashes(const std::wstring& path);

#endif
