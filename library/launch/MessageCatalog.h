#ifndef QUENDRA_LAUNCH_MESSAGECATALOG_H
#define QUENDRA_LAUNCH_MESSAGECATALOG_H

#include <string>

#include "config/PropertyFile.h"

// <windows.h> turns GetMessage into GetMessageW by a macro; the catalog keeps its
// operation's name whichever of the two headers a file includes first.
#ifdef GetMessage
#undef GetMessage
#endif

// The texts of every error that the launcher library reports, by message key. The
// texts are English only; placeholders ("%s") are filled by the caller with
// PlatformString::Format.
class MessageCatalog {
 public:
  MessageCatalog();

  // The process's one catalog, created and filled on first use (thread-safe).
  static MessageCatalog& GetInstance();

  // The key's text after macro expansion; empty for a key that is not in the
  // catalog (keys are compared exactly, letter case included).
  std::wstring GetMessage(const std::wstring& key);
  // The same, reached where <windows.h> was included after this header.
  std::wstring GetMessageW(const std::wstring& key) { return GetMessage(key); }

 private:
  PropertyFile messages;
};

#endif
