// The message handed to a Simple MAPI library: subject, text and attachments.
#ifndef PENNAROO_MAIL_MESSAGE_H
#define PENNAROO_MAIL_MESSAGE_H

#include <string>
#include <vector>

#include "MapiTypes.h"

namespace pennaroo {

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

}  // namespace pennaroo

#endif
