// Loading a package configuration from memory and looking every key up, at several
// sizes, to show how the cost per line grows.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "config/IniFile.h"

namespace {

struct Configuration {
  std::vector<std::wstring> lines;
  std::vector<std::pair<std::wstring, std::wstring>> keys;  // section, key
};

// Sections of a hundred options each, like a large JVM option list.
Configuration MakeConfiguration(int lineCount) {
  Configuration config;
  std::wstring section;
  for (int line = 0; static_cast<int>(config.lines.size()) < lineCount; ++line) {
    if (line % 101 == 0) {
      section = L"Section" + std::to_wstring(line / 101);
      config.lines.push_back(L"[" + section + L"]");
      continue;
    }
    std::wstring key = L"-Dproperty.number." + std::to_wstring(line);
    config.lines.push_back(key + L"=value" + std::to_wstring(line));
    config.keys.emplace_back(section, key);
  }
  return config;
}

void LoadAndLookUpEveryKey(benchmark::State& state) {
  const int lineCount = static_cast<int>(state.range(0));
  Configuration config = MakeConfiguration(lineCount);
  for (auto _ : state) {
    IniFile file;
    file.LoadFromLines(config.lines);
    std::wstring value;
    for (const auto& [section, key] : config.keys) benchmark::DoNotOptimize(file.GetValue(section, key, value));
  }
  state.SetItemsProcessed(state.iterations() * lineCount);
  state.SetComplexityN(lineCount);
}

BENCHMARK(LoadAndLookUpEveryKey)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oNLogN);

}  // namespace

BENCHMARK_MAIN();
