#ifndef QUENDRA_INSTALLER_ANSIMESSAGE_H
#define QUENDRA_INSTALLER_ANSIMESSAGE_H

// The multi-byte copy of a message for the Simple MAPI entry without Unicode.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "MapiTypes.h"

// Owns every text, entry id and array its MapiMessage points at.
class AnsiMessage {
 public:
  AnsiMessage() = default;
  AnsiMessage(const AnsiMessage&) = delete;
  AnsiMessage& operator=(const AnsiMessage&) = delete;

  MapiMessage* Get() { return &message; }

  // Each Keep stores its argument for the life of the copy and returns a pointer to it.
  LPSTR Keep(std::string text);
  LPVOID Keep(std::vector<BYTE> bytes);
  MapiRecipDesc* Keep(std::vector<MapiRecipDesc> recipients);
  MapiFileDesc* Keep(std::vector<MapiFileDesc> files);

 private:
  MapiMessage message = {};
  std::deque<std::string> texts;
  std::deque<std::vector<BYTE>> byteArrays;
  std::deque<std::vector<MapiRecipDesc>> recipientArrays;
  std::deque<std::vector<MapiFileDesc>> fileArrays;
};

// Converts every text of `message`: subject and note text to UTF-8 when
// `utf8` is on (the message is then marked with 65001), everything else to
// `ansiCodePage`, by default the ANSI code page in force, which may itself be
// UTF-8. An attachment path that code page cannot hold is replaced by its short
// path. On failure returns the error and leaves `copy` empty.
HRESULT ConvertMessageToAnsi(const MapiMessageW& message, bool utf8,
                             std::unique_ptr<AnsiMessage>& copy,
                             UINT ansiCodePage = ::GetACP());

#endif
