#ifndef QUENDRA_SHELL_COMFENCE_H
#define QUENDRA_SHELL_COMFENCE_H

#include <windows.h>

#include <new>

// Runs one COM method body so that nothing thrown inside reaches the caller, which
// is Explorer or COM itself.
template <typename Body>
HRESULT Fenced(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

#endif
