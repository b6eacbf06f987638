// Stands in for the installed quendra3.exe: writes the arguments it was started with,
// one per line in UTF-16, to the file named by QUENDRA_COMMAND_RECORD.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "UniqueHandle.h"

namespace {

std::wstring RecordFile() {
  wchar_t path[MAX_PATH * 4];
  DWORD length = ::GetEnvironmentVariableW(L"QUENDRA_COMMAND_RECORD", path, MAX_PATH * 4);
  return length > 0 && length < MAX_PATH * 4 ? std::wstring(path, length) : std::wstring();
}

std::wstring ArgumentLines() {
  int count = 0;
  UniqueLocalMemory block(::CommandLineToArgvW(::GetCommandLineW(), &count));
  auto arguments = static_cast<wchar_t**>(block.Get());
  std::wstring lines;
  for (int i = 1; arguments != nullptr && i < count; ++i) {
    lines += arguments[i];
    lines += L'\n';
  }
  return lines;
}

// Written under another name first, so the test never reads half a record.
bool WriteRecord(const std::wstring& target, const std::wstring& lines) {
  std::wstring partial = target + L".partial";
  {
    UniqueFile file(::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    DWORD bytes = static_cast<DWORD>(lines.size() * sizeof(wchar_t));
    if (!::WriteFile(file.Get(), lines.data(), bytes, &written, nullptr)) return false;
  }
  return ::MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::wstring target = RecordFile();
  if (target.empty()) return 2;
  return WriteRecord(target, ArgumentLines()) ? 0 : 1;
}
