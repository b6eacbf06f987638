#ifndef QUENDRA_SHELL_COMREFERENCE_H
#define QUENDRA_SHELL_COMREFERENCE_H

#include <unknwn.h>

#include <utility>

// Owns one reference to a COM object and releases it when it goes.
template <typename Interface>
class ComReference {
 public:
  ComReference() noexcept = default;
  // Takes over a reference the caller already holds.
  explicit ComReference(Interface* adopted) noexcept : pointer(adopted) {}
  ComReference(ComReference&& other) noexcept : pointer(std::exchange(other.pointer, nullptr)) {}
  ComReference& operator=(ComReference&& other) noexcept {
    reset(std::exchange(other.pointer, nullptr));
    return *this;
  }
  ComReference(const ComReference&) = delete;
  ComReference& operator=(const ComReference&) = delete;
  ~ComReference() { reset(); }

  Interface* get() const noexcept { return pointer; }
  Interface* operator->() const noexcept { return pointer; }
  explicit operator bool() const noexcept { return pointer != nullptr; }

  void reset(Interface* adopted = nullptr) noexcept {
    Interface* old = std::exchange(pointer, adopted);
    if (old != nullptr) old->Release();
  }

  // For functions that return a new reference through an out parameter.
  Interface** receive() noexcept {
    reset();
    return &pointer;
  }
  void** receiveVoid() noexcept { return reinterpret_cast<void**>(receive()); }

 private:
  Interface* pointer = nullptr;
};

#endif
