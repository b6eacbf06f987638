#ifndef QUENDRA_INSTALLER_ELEVATEANDWAIT_H
#define QUENDRA_INSTALLER_ELEVATEANDWAIT_H

// Starts a program with administrator rights and waits for it to end.

#include <string>

// Returns the program's exit code, or the Windows error code when it could not be
// started (ERROR_CANCELLED when the user refuses the elevation prompt). Empty
// texts are passed on as empty strings.
long ElevateAndWait(const std::wstring& command, const std::wstring& parameters,
                    const std::wstring& workingDirectory);

// Ends a call whose program was not started: writes the error line and returns `error`.
long ElevateFailed(long error) noexcept;

#endif
