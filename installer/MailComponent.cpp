#include "MailComponent.h"

#include <msi.h>

#include "RegistryValue.h"

namespace {

using ProvideQualifiedComponentFunction = UINT(WINAPI*)(LPCWSTR component, LPCWSTR qualifier,
                                                        DWORD mode, LPWSTR path,
                                                        DWORD* pathChars);

constexpr DWORD kPathChars = MAX_PATH;
constexpr DWORD kUsEnglish = 1033;

UINT AskInstaller(ProvideQualifiedComponentFunction provide, const std::wstring& componentId,
                  const std::wstring& qualifier, INSTALLMODE mode, std::wstring& path) {
  wchar_t buffer[kPathChars] = {};
  DWORD chars = kPathChars;
  const UINT result = provide(componentId.c_str(), qualifier.c_str(),
                              static_cast<DWORD>(mode), buffer, &chars);
  buffer[kPathChars - 1] = L'\0';
  // Only a located component has a path; whatever else is in the buffer
  // (a cut-off path when it was too long) names no library.
  path = result == ERROR_SUCCESS ? buffer : L"";
  return result;
}

bool ProvideForListedLanguages(HMODULE msi, const std::wstring& componentId,
                               const LanguageList& list, bool installAllowed,
                               std::wstring& path) {
  if (list.empty()) return false;
  const UniqueRegistryKey policy =
      OpenKeyForReading(HKEY_CURRENT_USER, L"Software\\Policy\\" + list[0]);
  const UniqueRegistryKey settings = OpenKeyForReading(HKEY_CURRENT_USER, L"Software\\" + list[0]);
  for (size_t index = 1; index < list.size(); ++index) {
    std::optional<DWORD> languageId = ReadDword(policy.get(), list[index].c_str());
    if (!languageId) languageId = ReadDword(settings.get(), list[index].c_str());
    if (languageId &&
        ProvideComponentForLcid(msi, componentId, *languageId, installAllowed, path)) {
      return true;
    }
  }
  return false;
}

bool ProvideForDefaultLanguages(HMODULE msi, const std::wstring& componentId,
                                bool installAllowed, std::wstring& path) {
  const DWORD languageIds[] = {::GetUserDefaultLangID(), ::GetSystemDefaultLangID(),
                               kUsEnglish};
  for (DWORD languageId : languageIds) {
    if (ProvideComponentForLcid(msi, componentId, languageId, installAllowed, path)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool ProvideMailComponent(const std::wstring& componentId, const LanguageList* list,
                          bool installAllowed, std::wstring& path) {
  const UniqueModule msi = LoadSystemLibrary(L"MSI.DLL");
  if (!msi) return false;
  if (list != nullptr) {
    return ProvideForListedLanguages(msi.get(), componentId, *list, installAllowed, path);
  }
  return ProvideForDefaultLanguages(msi.get(), componentId, installAllowed, path);
}

bool ProvideComponentForLcid(HMODULE msi, const std::wstring& componentId, DWORD languageId,
                             bool installAllowed, std::wstring& path) {
  const auto provide =
      LibraryFunction<ProvideQualifiedComponentFunction>(msi, "MsiProvideQualifiedComponentW");
  if (provide == nullptr) return false;
  path.clear();
  std::wstring qualifier = std::to_wstring(languageId) + L"\\NT";
  UINT result = AskInstaller(provide, componentId, qualifier, INSTALLMODE_EXISTING, path);
  if (result != ERROR_FILE_NOT_FOUND && result != ERROR_INDEX_ABSENT) return true;
  if (installAllowed && result == ERROR_FILE_NOT_FOUND) {
    result = AskInstaller(provide, componentId, qualifier, INSTALLMODE_DEFAULT, path);
  } else {
    qualifier = std::to_wstring(languageId);
    result = AskInstaller(provide, componentId, qualifier, INSTALLMODE_EXISTING, path);
    if (installAllowed && result == ERROR_FILE_NOT_FOUND) {
      result = AskInstaller(provide, componentId, qualifier, INSTALLMODE_DEFAULT, path);
    }
  }
  return result != ERROR_INDEX_ABSENT;
}
