#include "platform/RuntimeDependencies.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"

namespace {

// The characters that ECMAScript's "." does not match.
bool IsLineTerminator(wchar_t c) {
  return c == L'\n' || c == L'\r' || c == 0x2028 || c == 0x2029;
}

// Whether the upper-case ASCII `word` stands at `at`, letters of either case. No
// other character folds to these letters, so this is the case-insensitive match.
bool HasWordAt(const std::wstring& name, size_t at, const wchar_t* word) {
  for (; *word != L'\0'; ++word, ++at) {
    if (at >= name.size()) return false;
    wchar_t c = name[at];
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    if (c != *word) return false;
  }
  return true;
}

}  // namespace

// The search for "MSVCR.*.DLL" by hand: after "MSVCR", at least one character and
// no line terminator up to a "DLL". A regular-expression engine would cost this
// library a third of its size and every launch the construction of a locale.
bool IsCRuntimeName(const std::wstring& name) {
  for (size_t start = 0; start < name.size(); ++start) {
    if (!HasWordAt(name, start, L"MSVCR")) continue;
    for (size_t at = start + 5; at < name.size() && !IsLineTerminator(name[at]); ++at) {
      if (at > start + 5 && HasWordAt(name, at, L"DLL")) return true;
    }
  }
  return false;
}

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
