#include "launch/MacroExpander.h"

#include "config/OptionText.h"
#include "launch/AppPackage.h"
#include "launch/PackageSettings.h"
#include "platform/FilePath.h"

namespace {

// Genuine values nest at most as deep as there are macros; the rest of the bound
// is headroom. A value holding its own name twice doubles the text every round, so
// the length is bounded as well.
const int kMaxRounds = 32;
const size_t kMaxLength = 1 << 16;

}  // namespace

MacroExpander& MacroExpander::GetInstance() {
  static MacroExpander instance;
  return instance;
}

void MacroExpander::Initialize() {
  Initialize(AppPackage::GetInstance());
}

void MacroExpander::Initialize(AppPackage& package) {
  PackageSettings empty;
  const PackageSettings& settings = package.settings ? *package.settings : empty;
  AddMacro(L"$APPDIR", settings.installDirectory);
  AddMacro(L"$PACKAGEDIR", settings.appFilesDirectory);
  AddMacro(L"$LAUNCHERDIR", settings.launcherDirectory);
  AddMacro(L"$APPDATADIR", settings.roamingDataDirectory);
  std::wstring runtimeHome = ExtractDirectory(package.GetJVMLibraryFileName());
  AddMacro(L"$JREHOME", runtimeHome);
  AddMacro(L"$CACHEDIR", package.GetAppCDSCacheDirectory());
  AddMacro(L"$JAVAVMLIBRARYNAME", ExtractFileName(runtimeHome));
}

void MacroExpander::AddMacro(const std::wstring& name, const std::wstring& value) {
  if (name.empty()) return;
  macros.emplace(name, value);
  if (firstUnits.find(name[0]) == std::wstring::npos) firstUnits += name[0];
}

std::wstring MacroExpander::ExpandMacros(const std::wstring& text) const {
  // Many option texts name no place at all: one scan tells, before a search for
  // each macro.
  if (text.size() > kMaxLength || text.find_first_of(firstUnits) == std::wstring::npos) return text;
  const auto* macro = FindFirstMatch(text);
  if (macro == nullptr) return text;
  std::wstring result = ReplaceAll(text, macro->first, macro->second);
  for (int round = 1; round < kMaxRounds && result.size() <= kMaxLength; ++round) {
    macro = FindFirstMatch(result);
    if (macro == nullptr) break;
    result = ReplaceAll(result, macro->first, macro->second);
  }
  return result;
}

const std::pair<const std::wstring, std::wstring>* MacroExpander::FindFirstMatch(
    const std::wstring& text) const {
  for (const auto& macro : macros) {
    if (macro.first.size() <= text.size() && text.find(macro.first) != std::wstring::npos) return &macro;
  }
  return nullptr;
}
