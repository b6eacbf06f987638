#include "PackageRun.h"

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>

#include "StubRun.h"
#include "platform/WindowsHandles.h"

namespace {

std::wstring BuiltImage(const wchar_t* name) {
  return stubrun::Wide(QUENDRA_IMAGE_DIRECTORY) + L"\\" + name;
}

std::wstring RoamingDirectory() {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, path);
  return path;
}

// Wine's relay trace prints a wide string as L"..." with C escapes; \x and \u
// forms carry a hexadecimal code unit.
std::string ReadTraceString(const std::string& line, size_t& at) {
  std::wstring text;
  for (at += 2; at < line.size() && line[at] != '"'; ++at) {
    if (line[at] != '\\' || at + 1 >= line.size()) {
      text += static_cast<wchar_t>(static_cast<unsigned char>(line[at]));
      continue;
    }
    char escape = line[++at];
    if (escape == 'n') text += L'\n';
    else if (escape == 'r') text += L'\r';
    else if (escape == 't') text += L'\t';
    else if (escape == 'x' || escape == 'u' || isxdigit(static_cast<unsigned char>(escape))) {
      size_t digits = 0;
      unsigned value = 0;
      if (isxdigit(static_cast<unsigned char>(escape))) {
        value = std::stoi(std::string(1, escape), nullptr, 16);
        digits = 1;
      }
      while (digits < 4 && at + 1 < line.size() && isxdigit(static_cast<unsigned char>(line[at + 1]))) {
        value = value * 16 + std::stoi(std::string(1, line[++at]), nullptr, 16);
        ++digits;
      }
      text += static_cast<wchar_t>(value);
    } else {
      text += static_cast<wchar_t>(escape);
    }
  }
  return stubrun::Utf8(text);
}

std::wstring TracePath() {
  wchar_t path[MAX_PATH * 2] = {};
  DWORD length = ::GetEnvironmentVariableW(L"QUENDRA_RELAY_TRACE", path, MAX_PATH * 2);
  return std::wstring(path, length);
}

long long TraceSize(const std::wstring& trace) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!::GetFileAttributesExW(trace.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The boxes of the trace written since `offset`.
void ReadBoxes(const std::wstring& tracePath, long long offset, PackageRun::Result& result) {
  std::ifstream in(tracePath.c_str(), std::ios::binary);
  in.seekg(offset);
  for (std::string line; std::getline(in, line);) {
    size_t call = line.find("Call user32.MessageBoxW(");
    if (call == std::string::npos) continue;
    size_t text = line.find("L\"", call);
    if (text == std::string::npos) continue;
    result.messages.push_back(ReadTraceString(line, text));
    size_t caption = line.find("L\"", text);
    result.captions.push_back(caption == std::string::npos ? std::string() : ReadTraceString(line, caption));
  }
}

// The current environment with the relay trace switched on.
std::wstring TracingEnvironment() {
  std::wstring block;
  wchar_t* strings = ::GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
    if (_wcsnicmp(entry, L"WINEDEBUG=", 10) != 0) block += std::wstring(entry) + L'\0';
  }
  ::FreeEnvironmentStringsW(strings);
  block += std::wstring(L"WINEDEBUG=-all,+relay") + L'\0';
  return block + L'\0';
}

void EnableRelayOfMessageBoxes() {
  UniqueRegistryKey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Debug", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.receive(), nullptr) != ERROR_SUCCESS) {
    return;
  }
  const wchar_t value[] = L"user32.MessageBoxW";
  ::RegSetValueExW(key.get(), L"RelayInclude", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
}

}  // namespace

PackageRun::PackageRun(const std::wstring& name) {
  directory = stubrun::ScratchDirectory(name);
  identifier = "lv.tarsel.test." + stubrun::Utf8(directory.substr(directory.find_last_of(L'\\') + 1));
  ::SHCreateDirectoryExW(nullptr, (directory + L"\\app").c_str(), nullptr);
  ::CopyFileW(BuiltImage(L"quendra3.exe").c_str(), (directory + L"\\quendra3.exe").c_str(), FALSE);
  ::CopyFileW(BuiltImage(L"lumapack.dll").c_str(), (directory + L"\\lumapack.dll").c_str(), FALSE);
  recordDirectory = RuntimeDirectory() + L"\\bin\\server";
}

std::wstring PackageRun::UserDirectory() const {
  return RoamingDirectory() + L"\\" + stubrun::Wide(identifier);
}

void PackageRun::WriteConfig(const std::string& text, const std::wstring& fileName) {
  stubrun::WriteUtf8File(directory + L"\\app\\" + fileName, text);
}

void PackageRun::InstallStub(const std::string& stubConfig) {
  InstallStubIn(RuntimeDirectory(), stubConfig);
}

void PackageRun::InstallStubIn(const std::wstring& runtime, const std::string& stubConfig) {
  recordDirectory = runtime + L"\\bin\\server";
  stubrun::InstallStub(recordDirectory, stubConfig);
}

PackageRun::Result PackageRun::Launch(const std::wstring& arguments, unsigned long timeoutMilliseconds) {
  EnableRelayOfMessageBoxes();
  std::wstring trace = TracePath();
  long long offset = TraceSize(trace);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  std::wstring program = directory + L"\\quendra3.exe";
  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::wstring environment = TracingEnvironment();
  PROCESS_INFORMATION started = {};
  Result result;
  BOOL created = ::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                                  &environment[0], directory.c_str(), &startup, &started);
  if (!created) return result;
  UniqueKernelHandle process(started.hProcess);
  UniqueKernelHandle thread(started.hThread);
  if (::WaitForSingleObject(process.get(), timeoutMilliseconds) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 99);
  }
  ::GetExitCodeProcess(process.get(), &result.exitCode);
  ReadBoxes(trace, offset, result);
  return result;
}

std::vector<std::string> PackageRun::Record() const {
  return stubrun::ReadRecord(recordDirectory);
}

std::vector<std::string> PackageRun::Lines(const std::string& prefix) const {
  return stubrun::Lines(Record(), prefix);
}

void PackageRun::ClearRecord() {
  ::DeleteFileW((recordDirectory + L"\\jvmstub.log").c_str());
}
