#include "StubRecord.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>

#include "StubText.h"

namespace stub {

namespace {

Config& MutableConfig() {
  static Config config;
  return config;
}

std::string Utf8(const std::wstring& wide) {
  std::u16string units(wide.begin(), wide.end());
  return ToUtf8(units);
}

// The folder of this DLL, with a trailing backslash.
std::string ModuleDirectory() {
  HMODULE self = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleDirectory), &self);
  wchar_t path[MAX_PATH * 4] = {};
  DWORD length = ::GetModuleFileNameW(self, path, MAX_PATH * 4);
  std::wstring full(path, length);
  return Utf8(full.substr(0, full.find_last_of(L'\\') + 1));
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

void Apply(Config& config, const std::string& key, const std::string& value) {
  if (key == "classes") config.classes = Words(value);
  if (key == "nomain") config.withoutMain = Words(value);
  if (key == "create.result") config.createResult = std::stol(value);
  if (key == "create.exit") config.exitAtCreate = value == "1";
  if (key == "main.throw") config.mainThrows = value;
  if (key == "detach.result") config.detachResult = std::stol(value);
  if (key == "archive") config.writeArchive = value != "none";
  if (key == "bridge") config.bridgeCalls.push_back(value);
  if (key == "bridge.threads") config.bridgeThreads = std::stoi(value);
  if (key == "record") config.recordPath = value;
}

std::wstring Wide(const std::string& utf8) {
  std::u16string units = FromUtf8(utf8);
  return std::wstring(units.begin(), units.end());
}

}  // namespace

void LoadConfig() {
  Config& config = MutableConfig();
  std::string directory = ModuleDirectory();
  config.recordPath = directory + "jvmstub.log";
  std::ifstream in(Wide(directory + "jvmstub.cfg").c_str());
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
    Apply(config, line.substr(0, equals), line.substr(equals + 1));
  }
}

const Config& GetConfig() {
  return MutableConfig();
}

void Record(const std::string& line) {
  static std::mutex lock;
  std::lock_guard<std::mutex> hold(lock);
  FILE* file = _wfopen(Wide(GetConfig().recordPath).c_str(), L"ab");
  if (file == nullptr) return;
  std::fputs(line.c_str(), file);
  std::fputc('\n', file);
  std::fclose(file);
}

}  // namespace stub
