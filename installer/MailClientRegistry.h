#ifndef QUENDRA_INSTALLER_MAILCLIENTREGISTRY_H
#define QUENDRA_INSTALLER_MAILCLIENTREGISTRY_H

// The default mail client as the registry describes it.

#include <windows.h>

#include <string>

struct MailClient {
  std::wstring dllPath;  // the client's Simple MAPI library, at most 259 characters
  bool supportsUtf8 = false;
};

// The default client under `root`\Software\Clients\Mail; found when its path is
// not empty. The UTF-8 switch may be on even when no path was found.
MailClient FindMailClientDll(HKEY root);

// Looks for a client registered under MSMapiApps for a module loaded in this
// process. Given a buffer, also copies the value's data (the client name) into it.
bool FindMapiAppClient(std::wstring* clientName);

#endif
