#ifndef QUENDRA_INSTALLER_SENDMAIL_H
#define QUENDRA_INSTALLER_SENDMAIL_H

// Sends a message through whichever Simple MAPI library works with the user's
// mail client.

#include "MapiTypes.h"

// Prefers the Unicode entry of the system's MAPI library, then the library of
// the default mail client, then the multi-byte entry of the system's library
// with a converted copy. Returns the Simple MAPI result, or 2 when no send
// function could be called.
ULONG SendMailThroughMapi(MapiMessageW& message);

#endif
