#include "platform/WindowsProcess.h"

#include <tlhelp32.h>

#include "jvm/Exception.h"
#include "platform/PlatformString.h"

namespace {

HANDLE CreateUnnamedJob() { return CreateJobObjectW(nullptr, nullptr); }

BOOL SetJobLimit(HANDLE job, JOBOBJECT_EXTENDED_LIMIT_INFORMATION& limit) {
  return SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limit, sizeof(limit));
}

void ShowJobAlert(const wchar_t* text, const wchar_t* caption, UINT style) {
  MessageBoxW(nullptr, text, caption, style);
}

bool NeedsQuotes(const std::wstring& text) {
  return text.empty() || text.find_first_of(L" \t\n\v\"") != std::wstring::npos;
}

// The program name is split without escapes: a quote only opens and closes it, and
// a path cannot hold one.
std::wstring QuoteProgram(const std::wstring& application) {
  if (!NeedsQuotes(application)) return application;
  return L"\"" + application + L"\"";
}

// Backslashes count as escapes only in front of a quote: there they are doubled,
// and the quote itself gets one more.
std::wstring QuoteArgument(const std::wstring& argument) {
  if (!NeedsQuotes(argument)) return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    size_t written = c == L'"' ? backslashes * 2 + 1 : backslashes;
    quoted.append(written, L'\\');
    quoted.push_back(c);
    backslashes = 0;
  }
  quoted.append(backslashes * 2, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

}  // namespace

const ChildJobCalls kWindowsChildJobCalls = {CreateUnnamedJob, SetJobLimit, ShowJobAlert};

HANDLE MakeChildJob(const ChildJobCalls& calls) {
  HANDLE job = calls.createJob();
  if (job == nullptr) {
    calls.alert(L"Could not create job object", L"TEST", MB_OK);
    return nullptr;
  }
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit{};
  limit.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!calls.setLimit(job, limit)) calls.alert(L"Could not SetInformationJobObject", L"TEST", MB_OK);
  return job;
}

HANDLE GetChildJob() {
  static UniqueKernelHandle job;
  if (!job) job.reset(MakeChildJob(kWindowsChildJobCalls));
  return job.get();
}

std::wstring BuildCommandLine(const std::wstring& application, const std::vector<std::wstring>& arguments) {
  std::wstring line = QuoteProgram(application);
  for (const std::wstring& argument : arguments) line += L" " + QuoteArgument(argument);
  return line;
}

WindowsProcess::WindowsProcess() : processInfo{} {}

WindowsProcess::~WindowsProcess() {
  // The child goes on; only this object's handles to it are released.
  if (started && IsRunning()) started = false;
}

bool WindowsProcess::IsRunning() {
  UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == processInfo.dwProcessId) return true;
  }
  return false;
}

bool WindowsProcess::Detach() {
  if (IsRunning() && started) started = false;
  return false;
}

bool WindowsProcess::Execute(const std::wstring& application, const std::vector<std::wstring>& arguments,
                             bool wait) {
  if (started) return false;
  started = true;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  processInfo = PROCESS_INFORMATION{};
  std::wstring commandLine = BuildCommandLine(application, arguments);
  if (!CreateProcessW(application.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &processInfo)) {
    throw Exception(PlatformString::Format(L"Error: Unable to create process %s", application));
  }
  process.reset(processInfo.hProcess);
  thread.reset(processInfo.hThread);
  processInfo.hProcess = nullptr;
  processInfo.hThread = nullptr;
  if (HANDLE job = GetChildJob()) AssignProcessToJobObject(job, process.get());
  if (wait) {
    Wait();
    CloseChildHandles();
  }
  return false;
}

bool WindowsProcess::Wait() {
  if (process) WaitForSingleObject(process.get(), INFINITE);
  return false;
}

uint32_t WindowsProcess::GetProcessID() { return processInfo.dwProcessId; }

void WindowsProcess::CloseChildHandles() {
  process.reset();
  thread.reset();
}
