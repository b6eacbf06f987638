#include "ElevateAndWait.h"

#include <windows.h>
#include <shellapi.h>

#include "Trace.h"
#include "platform/WindowsHandles.h"

namespace {

void TraceArguments(const std::wstring& command, const std::wstring& parameters,
                    const std::wstring& workingDirectory) {
  WriteTraceLine(L"elevateAndWait wCommand: ", command);
  WriteTraceLine(L"elevateAndWait wParameters: ", parameters);
  WriteTraceLine(L"elevateAndWait wWorkingDir: ", workingDirectory);
}

// The exit code stays 0 when there is no process to ask, as when the request
// went to a program that was already running.
long WaitForExitCode(HANDLE process) {
  ::WaitForSingleObject(process, INFINITE);
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process, &exitCode);
  return static_cast<long>(exitCode);
}

}  // namespace

long ElevateFailed(long error) noexcept {
  WriteTraceLine(L"elevateAndWait error: ", error);
  return error;
}

long ElevateAndWait(const std::wstring& command, const std::wstring& parameters,
                    const std::wstring& workingDirectory) {
  TraceArguments(command, parameters, workingDirectory);
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = command.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = workingDirectory.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExW(&info)) return ElevateFailed(static_cast<long>(::GetLastError()));
  const UniqueKernelHandle process(info.hProcess);
  const long exitCode = WaitForExitCode(process.get());
  WriteTraceLine(L"elevateAndWait result: ", exitCode);
  return exitCode;
}
