#include "platform/RuntimeDependencies.h"

#include <regex>

#include "platform/FilePath.h"
#include "platform/FileSystem.h"

namespace {

bool IsCRuntimeName(const std::wstring& name) {
  static const std::wregex kCRuntime(L"MSVCR.*.DLL", std::regex_constants::ECMAScript | std::regex_constants::icase);
  return std::regex_search(name, kCRuntime);
}

}  // namespace

std::vector<std::wstring> SelectRuntimeDependenciesIn(const std::wstring& runtimeDirectory,
                                                      const std::vector<std::wstring>& names) {
  std::wstring runtime = IncludeTrailingBackslash(runtimeDirectory);
  for (const std::wstring& name : names) {
    if (!IsCRuntimeName(name)) continue;
    for (const wchar_t* folder : {L"jre\\bin\\", L"bin\\"}) {
      std::wstring candidate = runtime + folder + name;
      if (FileExists(candidate)) return {candidate};
    }
  }
  return {};
}
