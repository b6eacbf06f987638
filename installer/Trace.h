#ifndef QUENDRA_INSTALLER_TRACE_H
#define QUENDRA_INSTALLER_TRACE_H

// The one-line-per-step trace that the installer reads from the standard output.

#include <string>

// Writes `label`, then the value, and a line break to the standard wide output
// stream and flushes it. Numbers are written in decimal. Neither allocates nor
// throws, so a call that is failing can still write its last line.
void WriteTraceLine(const wchar_t* label, const std::wstring& text) noexcept;
void WriteTraceLine(const wchar_t* label, long long number) noexcept;

#endif
