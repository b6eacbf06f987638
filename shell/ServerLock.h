#ifndef QUENDRA_SHELL_SERVERLOCK_H
#define QUENDRA_SHELL_SERVERLOCK_H

// The lock count of the COM server: one for each object alive and each explicit
// LockServer. While it is above zero the DLL must stay loaded. COM may call from
// any thread, so the count changes only by interlocked operations.
class ServerLock {
 public:
  // Holds one lock for the life of the object, as every handler does.
  ServerLock() noexcept { Add(); }
  ~ServerLock() { Remove(); }
  ServerLock(const ServerLock&) = delete;
  ServerLock& operator=(const ServerLock&) = delete;

  static void Add() noexcept;
  static void Remove() noexcept;
  static bool AnyHeld() noexcept;
};

#endif
