// Host benchmarks of steps of every launch: the import scan of the JVM library,
// on an image as large as a real one, the macro expansion of a large package's
// JVM options, and the whole JVM option list made from that package.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "SyntheticImage.h"
#include "config/OptionText.h"
#include "jvm/JavaVirtualMachine.h"
#include "jvm/JvmOptionList.h"
#include "launch/MacroExpander.h"
#include "launch/PackageSettings.h"
#include "platform/PeImports.h"

namespace {

void ImportScanOfA20MegabyteImage(benchmark::State& state) {
  std::vector<uint8_t> image =
      MakeImportingImage(20 * 1024 * 1024, {"KERNEL32.dll", "MSVCR100.dll", "USER32.dll", "WSOCK32.dll"});
  for (auto _ : state) {
    std::vector<std::wstring> names = ReadImportedLibraryNames(image.data(), image.size());
    if (names.size() != 4) state.SkipWithError("the scan missed imports");
    benchmark::DoNotOptimize(names);
  }
}
BENCHMARK(ImportScanOfA20MegabyteImage);

// The seven macros with folder values of a usual length.
void RegisterPackageMacros(MacroExpander& macros) {
  macros.AddMacro(L"$APPDIR", L"C:\\Program Files\\Quendra 3");
  macros.AddMacro(L"$PACKAGEDIR", L"C:\\Program Files\\Quendra 3\\app");
  macros.AddMacro(L"$LAUNCHERDIR", L"C:\\Program Files\\Quendra 3");
  macros.AddMacro(L"$APPDATADIR", L"C:\\Users\\J\u0101nis B\u0113rzi\u0146\\AppData\\Roaming");
  macros.AddMacro(L"$JREHOME", L"C:\\Program Files\\Quendra 3\\runtime\\bin\\server");
  macros.AddMacro(L"$CACHEDIR", L"C:\\Users\\J\u0101nis B\u0113rzi\u0146\\AppData\\Roaming\\lv.tarsel\\cache");
  macros.AddMacro(L"$JAVAVMLIBRARYNAME", L"server");
}

// The option texts of the large package: 100 package options, three in four with
// three macros, and 20 user options with one each.
std::vector<std::wstring> PackageOptionTexts() {
  std::vector<std::wstring> texts;
  for (int i = 0; i < 100; ++i) {
    std::wstring value = i % 4 == 3 ? std::wstring(L"plain")
                                    : L"$APPDIR\\lib" + std::to_wstring(i) + L";$APPDATADIR\\$PACKAGEDIR";
    texts.push_back(JoinNameValue(L"-Doption" + std::to_wstring(i), value));
  }
  for (int i = 0; i < 20; ++i) texts.push_back(L"-Duser" + std::to_wstring(i) + L"==$LAUNCHERDIR\\u" + std::to_wstring(i));
  return texts;
}

void MacroExpansionOfAPackage(benchmark::State& state) {
  MacroExpander macros;
  RegisterPackageMacros(macros);
  std::vector<std::wstring> texts = PackageOptionTexts();
  for (auto _ : state) {
    for (const std::wstring& text : texts) benchmark::DoNotOptimize(macros.ExpandMacros(text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(MacroExpansionOfAPackage);

// The package's options as the configuration gives them: name and value apart.
void FillPackageOptions(PackageSettings& settings, OrderedTable& userOptions) {
  for (const std::wstring& text : PackageOptionTexts()) {
    KeyValue option = SplitNameValue(text);
    if (option.key.compare(0, 6, L"-Duser") == 0) {
      userOptions.Append(option.key + L"=", option.value.substr(1));
    } else {
      settings.jvmOptions.Append(option.key, option.value);
    }
  }
  settings.classPath = L"C:\\Program Files\\Quendra 3\\app\\quendra3.jar";
  settings.appFilesDirectory = L"C:\\Program Files\\Quendra 3\\app";
  settings.launcherDirectory = L"C:\\Program Files\\Quendra 3";
  settings.appId = L"lv/tarsel/quendra3";
  settings.memorySize = 2047;
  settings.hasMemorySize = 1;
}

// What the JVM start does with the package before it loads the JVM library: the
// option list assembled, then turned into the array the VM receives.
void JvmOptionArrayOfAPackage(benchmark::State& state) {
  RegisterPackageMacros(MacroExpander::GetInstance());
  PackageSettings settings;
  OrderedTable userOptions;
  FillPackageOptions(settings, userOptions);
  for (auto _ : state) {
    JvmOptionList options;
    JavaVirtualMachine::AddPackageOptions(settings, userOptions, options);
    benchmark::DoNotOptimize(options.BuildOptionArray());
    if (options.GetCount() != 4 + 100 + 20 + 2) state.SkipWithError("options missing");
  }
}
BENCHMARK(JvmOptionArrayOfAPackage);

}  // namespace

BENCHMARK_MAIN();
