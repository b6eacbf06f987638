#include "SendMail.h"

#include <memory>
#include <string>

#include "AnsiMessage.h"
#include "MailClientRegistry.h"
#include "SystemLibrary.h"

namespace {

const wchar_t kSystemMapiName[] = L"mapi32.dll";
const wchar_t kExtendedMapiName[] = L"mapi32x.dll";

bool EqualsIgnoringCase(const std::wstring& left, const wchar_t* right) {
  return ::CompareStringOrdinal(left.c_str(), -1, right, -1, TRUE) == CSTR_EQUAL;
}

ULONG SendUnicode(MapiSendMailWFunction send, MapiMessageW& message) {
  return send(0, 0, &message, kSendMailFlags, 0);
}

MailClient FindDefaultMailClient() {
  MailClient client = FindMailClientDll(HKEY_CURRENT_USER);
  if (!client.dllPath.empty()) return client;
  client = FindMailClientDll(HKEY_LOCAL_MACHINE);
  if (client.dllPath.empty()) client.dllPath = kExtendedMapiName;
  return client;
}

bool MapiServicesPresent() {
  OFSTRUCT file = {};
  file.cBytes = sizeof(file);
  if (::OpenFile("mapisvc.inf", &file, OF_EXIST) != HFILE_ERROR) return true;
  return FindMapiAppClient(nullptr);
}

std::wstring SystemFolderFile(const wchar_t* fileName) {
  wchar_t folder[MAX_PATH] = {};
  const UINT chars = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (chars == 0 || chars >= MAX_PATH) return std::wstring();
  return std::wstring(folder) + L"\\" + fileName;
}

// The library to try for the client's name; empty when there is none.
std::wstring ChooseClientLibrary(const std::wstring& name) {
  if (EqualsIgnoringCase(name, kSystemMapiName)) return std::wstring();
  if (EqualsIgnoringCase(name, kExtendedMapiName)) {
    return MapiServicesPresent() ? SystemFolderFile(kExtendedMapiName) : std::wstring();
  }
  return name;
}

bool SendThroughClient(const std::wstring& name, MapiMessageW& message, ULONG& result) {
  const std::wstring path = ChooseClientLibrary(name);
  if (path.empty()) return false;
  const UniqueModule client = LoadLibraryByPath(path);
  const auto send = LibraryFunction<MapiSendMailWFunction>(client.get(), "MAPISendMailW");
  if (send == nullptr) return false;
  result = SendUnicode(send, message);
  return true;
}

ULONG SendMultiByteCopy(HMODULE mapi, const MapiMessageW& message, bool utf8) {
  std::unique_ptr<AnsiMessage> copy;
  if (FAILED(ConvertMessageToAnsi(message, utf8, copy))) return kMapiFailure;
  const auto send = LibraryFunction<MapiSendMailFunction>(mapi, "MAPISendMail");
  if (send == nullptr) return kMapiFailure;
  return send(0, 0, copy->Get(), kSendMailFlags, 0);
}

}  // namespace

ULONG SendMailThroughMapi(MapiMessageW& message) {
  const UniqueModule mapi = LoadSystemLibrary(kSystemMapiName);
  if (!mapi) return kMapiFailure;
  if (const auto send = LibraryFunction<MapiSendMailWFunction>(mapi.get(), "MAPISendMailW")) {
    return SendUnicode(send, message);
  }
  const MailClient client = FindDefaultMailClient();
  ULONG result = kMapiFailure;
  if (SendThroughClient(client.dllPath, message, result)) return result;
  return SendMultiByteCopy(mapi.get(), message, client.supportsUtf8);
}
