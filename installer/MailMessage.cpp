#include "MailMessage.h"

#include <utility>

MailMessage::MailMessage(std::wstring subject, std::wstring text,
                         std::vector<std::wstring> fileNames,
                         std::vector<std::wstring> filePaths)
    : subject(std::move(subject)),
      text(std::move(text)),
      fileNames(std::move(fileNames)),
      filePaths(std::move(filePaths)),
      message() {
  if (!this->fileNames.empty() && this->fileNames.size() == this->filePaths.size()) {
    for (size_t index = 0; index < this->fileNames.size(); ++index) {
      MapiFileDescW file = {};
      file.nPosition = kNoPosition;
      file.lpszPathName = &this->filePaths[index][0];
      file.lpszFileName = &this->fileNames[index][0];
      files.push_back(file);
    }
    message.nFileCount = static_cast<ULONG>(files.size());
    message.lpFiles = files.data();
  }
  // An empty text still points at a string: some clients treat null as an error.
  message.lpszSubject = &this->subject[0];
  message.lpszNoteText = &this->text[0];
}
