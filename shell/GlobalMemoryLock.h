#ifndef QUENDRA_SHELL_GLOBALMEMORYLOCK_H
#define QUENDRA_SHELL_GLOBALMEMORYLOCK_H

#include <windows.h>

// Keeps a global memory block locked for the life of the scope.
class GlobalMemoryLock {
 public:
  explicit GlobalMemoryLock(HGLOBAL memory) noexcept
      : memory(memory), data(::GlobalLock(memory)) {}
  GlobalMemoryLock(const GlobalMemoryLock&) = delete;
  GlobalMemoryLock& operator=(const GlobalMemoryLock&) = delete;
  ~GlobalMemoryLock() {
    if (data != nullptr) ::GlobalUnlock(memory);
  }
  // Null when the block could not be locked, as when it was discarded.
  void* Data() const noexcept { return data; }

 private:
  HGLOBAL memory;
  void* data;
};

#endif
