#ifndef QUENDRA_PLATFORM_PROCESS_H
#define QUENDRA_PLATFORM_PROCESS_H

#include <cstdint>
#include <string>
#include <vector>

// A child process of the launcher; one object starts one child.
class Process {
 public:
  virtual ~Process() = default;
  virtual bool IsRunning() = 0;
  virtual bool Detach() = 0;
  // Starts `application` with the arguments; with `wait`, returns when it has ended.
  // Throws Exception when the process cannot be created.
  virtual bool Execute(const std::wstring& application, const std::vector<std::wstring>& arguments,
                       bool wait) = 0;
  virtual bool Wait() = 0;
  virtual uint32_t GetProcessID() = 0;
};

#endif
