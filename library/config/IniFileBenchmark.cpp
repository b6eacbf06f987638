// The package configuration at several sizes: decoding the file's text into lines,
// loading the lines, and looking every key up. The counter "per_line" is the time
// per line, so that a cost that grows faster than the file shows at a glance.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "config/IniFile.h"
#include "platform/PlatformString.h"
#include "platform/TextLines.h"

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
    config.lines.push_back(key + L"=$APPDIR\\lib\\value" + std::to_wstring(line) + L".jar");
    config.keys.emplace_back(section, key);
  }
  return config;
}

// The file's bytes as they are on disk: UTF-8 lines ended by CR LF.
std::string FileContent(const Configuration& config) {
  std::string content;
  for (const std::wstring& line : config.lines) content += PlatformString::WideStringToMultibyteString(line) + "\r\n";
  return content;
}

void CountLines(benchmark::State& state, int lineCount) {
  state.SetItemsProcessed(state.iterations() * lineCount);
  state.counters["per_line"] =
      benchmark::Counter(lineCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DecodeLines(benchmark::State& state) {
  const int lineCount = static_cast<int>(state.range(0));
  std::string content = FileContent(MakeConfiguration(lineCount));
  for (auto _ : state) benchmark::DoNotOptimize(SplitTextLines(content));
  CountLines(state, lineCount);
}

void Load(benchmark::State& state) {
  const int lineCount = static_cast<int>(state.range(0));
  Configuration config = MakeConfiguration(lineCount);
  for (auto _ : state) {
    IniFile file;
    benchmark::DoNotOptimize(file.LoadFromLines(config.lines));
  }
  CountLines(state, lineCount);
}

void LookUpEveryKey(benchmark::State& state) {
  const int lineCount = static_cast<int>(state.range(0));
  Configuration config = MakeConfiguration(lineCount);
  IniFile file;
  file.LoadFromLines(config.lines);
  std::wstring value;
  for (auto _ : state) {
    for (const auto& [section, key] : config.keys) benchmark::DoNotOptimize(file.GetValue(section, key, value));
  }
  CountLines(state, lineCount);
}

BENCHMARK(DecodeLines)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(Load)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(LookUpEveryKey)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace

BENCHMARK_MAIN();
