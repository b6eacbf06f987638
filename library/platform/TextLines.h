#ifndef QUENDRA_PLATFORM_TEXTLINES_H
#define QUENDRA_PLATFORM_TEXTLINES_H

#include <string>
#include <vector>

// The line rules of the configuration text files, apart from the file access.

// UTF-8 content to lines: split at line feeds (a carriage return before one is part
// of the line end), empty lines and lines beginning with "#" dropped, a last line
// without terminator kept. A byte-order mark stays part of the first line.
std::vector<std::wstring> SplitTextLines(const std::string& content);
// Lines to UTF-8 content, each line ended by CR LF.
std::string JoinTextLines(const std::vector<std::wstring>& lines);

#endif
