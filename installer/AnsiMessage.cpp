#include "AnsiMessage.h"

#include <utility>

namespace pennaroo {
namespace {

constexpr ULONG kUtf8CodePage = CP_UTF8;

HRESULT LastErrorResult() {
  return HRESULT_FROM_WIN32(::GetLastError());
}

// `unmappable`, when given, reports characters the code page has no form for;
// a best-fit look-alike does not count as a form.
HRESULT ToMultiByte(const wchar_t* text, UINT codePage, std::string& converted,
                    bool* unmappable = nullptr) {
  DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
  if (unmappable != nullptr) flags |= WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPointer = unmappable != nullptr ? &usedDefault : nullptr;
  const int bytes = ::WideCharToMultiByte(codePage, flags, text, -1, nullptr, 0, nullptr,
                                          usedDefaultPointer);
  if (bytes == 0) return LastErrorResult();
  std::string buffer(static_cast<size_t>(bytes), '\0');
  if (::WideCharToMultiByte(codePage, flags, text, -1, &buffer[0], bytes, nullptr,
                            usedDefaultPointer) == 0) {
    return LastErrorResult();
  }
  buffer.resize(static_cast<size_t>(bytes) - 1);
  converted = std::move(buffer);
  if (unmappable != nullptr) *unmappable = usedDefault != FALSE;
  return S_OK;
}

// A null text stays null.
HRESULT CopyText(AnsiMessage& copy, const wchar_t* text, UINT codePage, LPSTR& target) {
  target = nullptr;
  if (text == nullptr) return S_OK;
  std::string converted;
  if (HRESULT hr = ToMultiByte(text, codePage, converted); FAILED(hr)) return hr;
  target = copy.Keep(std::move(converted));
  return S_OK;
}

HRESULT CopyRecipient(AnsiMessage& copy, const MapiRecipDescW& source, MapiRecipDesc& target) {
  target = {};
  target.ulReserved = source.ulReserved;
  target.ulRecipClass = source.ulRecipClass;
  if (HRESULT hr = CopyText(copy, source.lpszName, CP_ACP, target.lpszName); FAILED(hr)) return hr;
  if (HRESULT hr = CopyText(copy, source.lpszAddress, CP_ACP, target.lpszAddress); FAILED(hr)) {
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
                       MapiRecipDesc*& target) {
  target = nullptr;
  if (source == nullptr || count == 0) return S_OK;
  std::vector<MapiRecipDesc> recipients(count);
  for (ULONG index = 0; index < count; ++index) {
    if (HRESULT hr = CopyRecipient(copy, source[index], recipients[index]); FAILED(hr)) return hr;
  }
  target = copy.Keep(std::move(recipients));
  return S_OK;
}

HRESULT ToAnsiPath(const wchar_t* path, std::string& converted) {
  bool unmappable = false;
  if (HRESULT hr = ToMultiByte(path, CP_ACP, converted, &unmappable); FAILED(hr)) return hr;
  if (!unmappable) return S_OK;
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD chars = ::GetShortPathNameW(path, shortPath, MAX_PATH);
  if (chars == 0) return LastErrorResult();
  if (chars >= MAX_PATH) return E_INVALIDARG;
  if (HRESULT hr = ToMultiByte(shortPath, CP_ACP, converted, &unmappable); FAILED(hr)) return hr;
  return unmappable ? E_INVALIDARG : S_OK;
}

HRESULT CopyAttachment(AnsiMessage& copy, const MapiFileDescW& source, MapiFileDesc& target) {
  target = {};
  target.ulReserved = source.ulReserved;
  target.flFlags = source.flFlags;
  target.nPosition = source.nPosition;
  if (source.lpszPathName != nullptr) {
    std::string path;
    if (HRESULT hr = ToAnsiPath(source.lpszPathName, path); FAILED(hr)) return hr;
    target.lpszPathName = copy.Keep(std::move(path));
  }
  if (HRESULT hr = CopyText(copy, source.lpszFileName, CP_ACP, target.lpszFileName); FAILED(hr)) {
    return hr;
  }
  target.lpFileType = source.lpFileType;
  return S_OK;
}

HRESULT CopyFiles(AnsiMessage& copy, const MapiMessageW& source, MapiMessage& target) {
  target.lpFiles = nullptr;
  if (source.lpFiles == nullptr || source.nFileCount == 0) return S_OK;
  std::vector<MapiFileDesc> files(source.nFileCount);
  for (ULONG index = 0; index < source.nFileCount; ++index) {
    if (HRESULT hr = CopyAttachment(copy, source.lpFiles[index], files[index]); FAILED(hr)) return hr;
  }
  target.lpFiles = copy.Keep(std::move(files));
  return S_OK;
}

HRESULT CopyTexts(AnsiMessage& copy, const MapiMessageW& source, bool utf8, MapiMessage& target) {
  const UINT bodyCodePage = utf8 ? CP_UTF8 : CP_ACP;
  const struct {
    const wchar_t* text;
    UINT codePage;
    LPSTR& target;
  } texts[] = {
      {source.lpszSubject, bodyCodePage, target.lpszSubject},
      {source.lpszNoteText, bodyCodePage, target.lpszNoteText},
      {source.lpszMessageType, CP_ACP, target.lpszMessageType},
      {source.lpszDateReceived, CP_ACP, target.lpszDateReceived},
      {source.lpszConversationID, CP_ACP, target.lpszConversationID},
  };
  for (const auto& text : texts) {
    if (HRESULT hr = CopyText(copy, text.text, text.codePage, text.target); FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT CopyPeople(AnsiMessage& copy, const MapiMessageW& source, MapiMessage& target) {
  if (HRESULT hr = CopyRecipients(copy, source.lpOriginator, 1, target.lpOriginator); FAILED(hr)) {
    return hr;
  }
  return CopyRecipients(copy, source.lpRecips, source.nRecipCount, target.lpRecips);
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
                             std::unique_ptr<AnsiMessage>& copy) {
  copy.reset();
  auto converted = std::make_unique<AnsiMessage>();
  MapiMessage& target = *converted->Get();
  if (HRESULT hr = CopyTexts(*converted, message, utf8, target); FAILED(hr)) return hr;
  if (HRESULT hr = CopyPeople(*converted, message, target); FAILED(hr)) return hr;
  if (HRESULT hr = CopyFiles(*converted, message, target); FAILED(hr)) return hr;
  target.ulReserved = utf8 ? kUtf8CodePage : message.ulReserved;
  target.flFlags = message.flFlags;
  target.nRecipCount = message.nRecipCount;
  target.nFileCount = message.nFileCount;
  copy = std::move(converted);
  return S_OK;
}

}  // namespace pennaroo
