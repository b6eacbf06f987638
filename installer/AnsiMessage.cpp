#include "AnsiMessage.h"

#include <utility>

namespace {

constexpr ULONG kUtf8CodePage = CP_UTF8;

HRESULT LastErrorResult() {
  return HRESULT_FROM_WIN32(::GetLastError());
}

// `usedDefault`, when given, reports characters the code page has no form for.
HRESULT ToMultiByte(const wchar_t* text, UINT codePage, DWORD flags, std::string& converted,
                    BOOL* usedDefault = nullptr) {
  const int bytes =
      ::WideCharToMultiByte(codePage, flags, text, -1, nullptr, 0, nullptr, usedDefault);
  if (bytes == 0) return LastErrorResult();
  std::string buffer(static_cast<size_t>(bytes), '\0');
  if (::WideCharToMultiByte(codePage, flags, text, -1, &buffer[0], bytes, nullptr,
                            usedDefault) == 0) {
    return LastErrorResult();
  }
  buffer.resize(static_cast<size_t>(bytes) - 1);
  converted = std::move(buffer);
  return S_OK;
}

// Converts `path` and tells whether a character of it has no form in `codePage`;
// a best-fit look-alike does not count as a form. UTF-8 has a form for every
// character but a lone surrogate, and takes neither the best-fit flag nor the
// used-default report: with them every conversion fails.
HRESULT ToPathCodePage(const wchar_t* path, UINT codePage, std::string& converted,
                       bool& unmappable) {
  if (codePage == kUtf8CodePage) {
    const HRESULT hr = ToMultiByte(path, codePage, WC_ERR_INVALID_CHARS, converted);
    unmappable = hr == HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION);
    return unmappable ? S_OK : hr;
  }
  BOOL usedDefault = FALSE;
  const HRESULT hr = ToMultiByte(path, codePage, WC_NO_BEST_FIT_CHARS, converted, &usedDefault);
  unmappable = usedDefault != FALSE;
  return hr;
}

// A null text stays null.
HRESULT CopyText(AnsiMessage& copy, const wchar_t* text, UINT codePage, LPSTR& target,
                 DWORD flags = 0) {
  target = nullptr;
  if (text == nullptr) return S_OK;
  std::string converted;
  if (HRESULT hr = ToMultiByte(text, codePage, flags, converted); FAILED(hr)) return hr;
  target = copy.Keep(std::move(converted));
  return S_OK;
}

HRESULT CopyRecipient(AnsiMessage& copy, const MapiRecipDescW& source, UINT ansiCodePage,
                      MapiRecipDesc& target) {
  target = {};
  target.ulReserved = source.ulReserved;
  target.ulRecipClass = source.ulRecipClass;
  if (HRESULT hr = CopyText(copy, source.lpszName, ansiCodePage, target.lpszName); FAILED(hr)) {
    return hr;
  }
  if (HRESULT hr = CopyText(copy, source.lpszAddress, ansiCodePage, target.lpszAddress);
      FAILED(hr)) {
    return hr;
  }
  target.ulEIDSize = source.ulEIDSize;
  if (source.ulEIDSize != 0 && source.lpEntryID != nullptr) {
    const BYTE* bytes = static_cast<const BYTE*>(source.lpEntryID);
    target.lpEntryID = copy.Keep(std::vector<BYTE>(bytes, bytes + source.ulEIDSize));
  }
  return S_OK;
}

HRESULT CopyRecipients(AnsiMessage& copy, const MapiRecipDescW* source, ULONG count,
                       UINT ansiCodePage, MapiRecipDesc*& target) {
  target = nullptr;
  if (source == nullptr || count == 0) return S_OK;
  std::vector<MapiRecipDesc> recipients(count);
  for (ULONG index = 0; index < count; ++index) {
    if (HRESULT hr = CopyRecipient(copy, source[index], ansiCodePage, recipients[index]);
        FAILED(hr)) {
      return hr;
    }
  }
  target = copy.Keep(std::move(recipients));
  return S_OK;
}

HRESULT ToAnsiPath(const wchar_t* path, UINT ansiCodePage, std::string& converted) {
  bool unmappable = false;
  if (HRESULT hr = ToPathCodePage(path, ansiCodePage, converted, unmappable); FAILED(hr)) {
    return hr;
  }
  if (!unmappable) return S_OK;
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD chars = ::GetShortPathNameW(path, shortPath, MAX_PATH);
  if (chars == 0) return LastErrorResult();
  if (chars >= MAX_PATH) return E_INVALIDARG;
  if (HRESULT hr = ToPathCodePage(shortPath, ansiCodePage, converted, unmappable); FAILED(hr)) {
    return hr;
  }
  return unmappable ? E_INVALIDARG : S_OK;
}

HRESULT CopyAttachment(AnsiMessage& copy, const MapiFileDescW& source, UINT ansiCodePage,
                       MapiFileDesc& target) {
  target = {};
  target.ulReserved = source.ulReserved;
  target.flFlags = source.flFlags;
  target.nPosition = source.nPosition;
  if (source.lpszPathName != nullptr) {
    std::string path;
    if (HRESULT hr = ToAnsiPath(source.lpszPathName, ansiCodePage, path); FAILED(hr)) return hr;
    target.lpszPathName = copy.Keep(std::move(path));
  }
  if (HRESULT hr = CopyText(copy, source.lpszFileName, ansiCodePage, target.lpszFileName);
      FAILED(hr)) {
    return hr;
  }
  target.lpFileType = source.lpFileType;
  return S_OK;
}

HRESULT CopyFiles(AnsiMessage& copy, const MapiMessageW& source, UINT ansiCodePage,
                  MapiMessage& target) {
  target.lpFiles = nullptr;
  if (source.lpFiles == nullptr || source.nFileCount == 0) return S_OK;
  std::vector<MapiFileDesc> files(source.nFileCount);
  for (ULONG index = 0; index < source.nFileCount; ++index) {
    if (HRESULT hr = CopyAttachment(copy, source.lpFiles[index], ansiCodePage, files[index]);
        FAILED(hr)) {
      return hr;
    }
  }
  target.lpFiles = copy.Keep(std::move(files));
  return S_OK;
}

// A client that reads UTF-8 gets no replacement characters for broken UTF-16:
// the copy fails instead.
HRESULT CopyTexts(AnsiMessage& copy, const MapiMessageW& source, bool utf8, UINT ansiCodePage,
                  MapiMessage& target) {
  const UINT bodyCodePage = utf8 ? kUtf8CodePage : ansiCodePage;
  const DWORD bodyFlags = utf8 ? WC_ERR_INVALID_CHARS : 0;
  const struct {
    const wchar_t* text;
    UINT codePage;
    DWORD flags;
    LPSTR& target;
  } texts[] = {
      {source.lpszSubject, bodyCodePage, bodyFlags, target.lpszSubject},
      {source.lpszNoteText, bodyCodePage, bodyFlags, target.lpszNoteText},
      {source.lpszMessageType, ansiCodePage, 0, target.lpszMessageType},
      {source.lpszDateReceived, ansiCodePage, 0, target.lpszDateReceived},
      {source.lpszConversationID, ansiCodePage, 0, target.lpszConversationID},
  };
  for (const auto& text : texts) {
    if (HRESULT hr = CopyText(copy, text.text, text.codePage, text.target, text.flags);
        FAILED(hr)) {
      return hr;
    }
  }
  return S_OK;
}

HRESULT CopyPeople(AnsiMessage& copy, const MapiMessageW& source, UINT ansiCodePage,
                   MapiMessage& target) {
  if (HRESULT hr = CopyRecipients(copy, source.lpOriginator, 1, ansiCodePage,
                                  target.lpOriginator);
      FAILED(hr)) {
    return hr;
  }
  return CopyRecipients(copy, source.lpRecips, source.nRecipCount, ansiCodePage,
                        target.lpRecips);
}

}  // namespace

LPSTR AnsiMessage::Keep(std::string text) {
  texts.push_back(std::move(text));
  return &texts.back()[0];
}

LPVOID AnsiMessage::Keep(std::vector<BYTE> bytes) {
  byteArrays.push_back(std::move(bytes));
  return byteArrays.back().data();
}

MapiRecipDesc* AnsiMessage::Keep(std::vector<MapiRecipDesc> recipients) {
  recipientArrays.push_back(std::move(recipients));
  return recipientArrays.back().data();
}

MapiFileDesc* AnsiMessage::Keep(std::vector<MapiFileDesc> files) {
  fileArrays.push_back(std::move(files));
  return fileArrays.back().data();
}

HRESULT ConvertMessageToAnsi(const MapiMessageW& message, bool utf8,
                             std::unique_ptr<AnsiMessage>& copy, UINT ansiCodePage) {
  copy.reset();
  auto converted = std::make_unique<AnsiMessage>();
  MapiMessage& target = *converted->Get();
  if (HRESULT hr = CopyTexts(*converted, message, utf8, ansiCodePage, target); FAILED(hr)) {
    return hr;
  }
  if (HRESULT hr = CopyPeople(*converted, message, ansiCodePage, target); FAILED(hr)) return hr;
  if (HRESULT hr = CopyFiles(*converted, message, ansiCodePage, target); FAILED(hr)) return hr;
  target.ulReserved = utf8 ? kUtf8CodePage : message.ulReserved;
  target.flFlags = message.flFlags;
  target.nRecipCount = message.nRecipCount;
  target.nFileCount = message.nFileCount;
  copy = std::move(converted);
  return S_OK;
}
