#include "StubRecord.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

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
  std::vector<std::string> words;
  size_t start = 0;
  while ((start = text.find_first_not_of(" \t", start)) != std::string::npos) {
    size_t end = text.find_first_of(" \t", start);
    words.push_back(text.substr(start, end - start));
    start = end;
  }
  return words;
}

// The lines of a UTF-8 file, without line ends; no stream library, so that loading
// the stand-in stays as cheap as loading a plain DLL.
std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return lines;
  std::string line;
  for (int c; (c = std::fgetc(file)) != EOF;) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += static_cast<char>(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  std::fclose(file);
  return lines;
}

void Apply(Config& config, const std::string& key, const std::string& value) {
  if (key == "classes") config.classes = Words(value);
  if (key == "nomain") config.withoutMain = Words(value);
  if (key == "create.result") config.createResult = std::stol(value);
  if (key == "create.exit") config.exitAtCreate = value == "1";
  if (key == "main.throw") config.mainThrows = value;
  if (key == "main.fail") config.mainFails = value;
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
  for (const std::string& line : ReadLines(Wide(directory + "jvmstub.cfg"))) {
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
