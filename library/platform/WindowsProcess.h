#ifndef QUENDRA_PLATFORM_WINDOWSPROCESS_H
#define QUENDRA_PLATFORM_WINDOWSPROCESS_H

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/WindowsHandles.h"

// A child process that joins the launcher's child job, so that it ends at the
// latest when the launcher does. One object starts one child; destroying the
// object never stops the child.
class WindowsProcess : public Process {
 public:
  WindowsProcess();
  ~WindowsProcess() override;

  // Whether a process with the child's id is in the system's process list.
  bool IsRunning() override;
  // Leaves the child running; always false.
  bool Detach() override;
  // Starts once per object; a second call starts nothing and returns false. The
  // program path and each argument arrive in the child whole, as CommandLineToArgvW
  // splits them. With `wait`, returns when the child has ended. Always returns
  // false; throws Exception "Error: Unable to create process <application>" when
  // the child cannot be created.
  bool Execute(const std::wstring& application, const std::vector<std::wstring>& arguments, bool wait) override;
  // Blocks until the child has ended; returns false.
  bool Wait() override;
  uint32_t GetProcessID() override;

 private:
  void CloseChildHandles();

  bool started = false;
  // The ids of the child; its handles are held by the two owners below.
  PROCESS_INFORMATION processInfo;
  UniqueKernelHandle process;
  UniqueKernelHandle thread;
};

// The command line that makes a child see `application` as its program and
// `arguments` one by one: text with a blank or a quote is quoted and escaped, any
// other text is written as it is.
std::wstring BuildCommandLine(const std::wstring& application, const std::vector<std::wstring>& arguments);

// The one job of the launcher process that holds every child; its limit ends them
// all when the handle closes with the library's static objects. Made on first
// use; null when it cannot be made (the next call tries again).
HANDLE GetChildJob();

// The calls that make the child job. The Windows ones are the default; tests put
// failing ones in their place.
struct ChildJobCalls {
  HANDLE (*createJob)();
  BOOL (*setLimit)(HANDLE job, JOBOBJECT_EXTENDED_LIMIT_INFORMATION& limit);
  void (*alert)(const wchar_t* text, const wchar_t* caption, UINT style);
};
extern const ChildJobCalls kWindowsChildJobCalls;

// One attempt to make the child job: null after "Could not create job object";
// the job, without its limit, after "Could not SetInformationJobObject". Both
// boxes are captioned "TEST". The caller owns the handle.
HANDLE MakeChildJob(const ChildJobCalls& calls);

#endif
