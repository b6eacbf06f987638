// The one-line-per-step trace that the installer reads from the standard output.
#ifndef PENNAROO_TRACE_H
#define PENNAROO_TRACE_H

#include <string>

namespace pennaroo {

// Writes `line` and a line break to the standard wide output stream and flushes it.
void WriteTraceLine(const std::wstring& line);

}  // namespace pennaroo

#endif
