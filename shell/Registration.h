#ifndef QUENDRA_SHELL_REGISTRATION_H
#define QUENDRA_SHELL_REGISTRATION_H

#include <windows.h>

// Writes the AppID, class and shell-extension entries of the module and registers
// its type library, for the machine or, with `perUser`, for the current user only.
// Gives the first failure.
HRESULT RegisterModule(HINSTANCE module, bool perUser);

// Removes what RegisterModule wrote, except the keys shared with other software.
HRESULT UnregisterModule(HINSTANCE module, bool perUser);

#endif
