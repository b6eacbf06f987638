#ifndef QUENDRA_INSTALLER_MAILMESSAGE_H
#define QUENDRA_INSTALLER_MAILMESSAGE_H

// The message handed to a Simple MAPI library: subject, text and attachments.

#include <string>
#include <vector>

#include "MapiTypes.h"

// Owns the texts its MapiMessageW points at, so it can be neither copied nor moved.
// Attachments are described only when both lists are equally long and not empty;
// otherwise the message goes without any.
class MailMessage {
 public:
  MailMessage(std::wstring subject, std::wstring text, std::vector<std::wstring> fileNames,
              std::vector<std::wstring> filePaths);
  MailMessage(const MailMessage&) = delete;
  MailMessage& operator=(const MailMessage&) = delete;

  MapiMessageW* Get() { return &message; }

 private:
  std::wstring subject;
  std::wstring text;
  std::vector<std::wstring> fileNames;
  std::vector<std::wstring> filePaths;
  std::vector<MapiFileDescW> files;
  MapiMessageW message;
};

#endif
