#ifndef QUENDRA_PLATFORM_MODULEFILENAME_H
#define QUENDRA_PLATFORM_MODULEFILENAME_H

#include <string>

// The full path of a loaded module, or of the process's executable for null, of any
// length; empty when the module is not loaded.
std::wstring ReadModuleFileName(void* module);

#endif
