// Starts a program with administrator rights and waits for it to end.
#ifndef PENNAROO_ELEVATE_AND_WAIT_H
#define PENNAROO_ELEVATE_AND_WAIT_H

#include <string>

namespace pennaroo {

// Returns the program's exit code, or the Windows error code when it could not be
// started (ERROR_CANCELLED when the user refuses the elevation prompt). Empty
// texts are passed on as empty strings.
long ElevateAndWait(const std::wstring& command, const std::wstring& parameters,
                    const std::wstring& workingDirectory);

// Ends a call whose program was not started: writes the error line and returns `error`.
long ElevateFailed(long error) noexcept;

}  // namespace pennaroo

#endif
