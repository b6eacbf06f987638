#ifndef QUENDRA_PLATFORM_UNIQUEHANDLE_H
#define QUENDRA_PLATFORM_UNIQUEHANDLE_H

#include <utility>

// Move-only owner of a raw handle. Traits give the handle type, the empty value
// and the way to close one:
//   struct FindHandleTraits {
//     using Handle = HANDLE;
//     static Handle Null() { return INVALID_HANDLE_VALUE; }
//     static void Close(Handle h) { ::FindClose(h); }
//   };
// The owners of platform/WindowsHandles.h are the ones to use; this header needs
// no Windows header, so portable code can own handles of its own kind too.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept : handle(Traits::Null()) {}
  explicit UniqueHandle(Handle h) noexcept : handle(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle; }
  bool valid() const noexcept { return handle != Traits::Null(); }
  explicit operator bool() const noexcept { return valid(); }

  // Gives up ownership; the caller closes the handle.
  Handle release() noexcept { return std::exchange(handle, Traits::Null()); }

  void reset(Handle h = Traits::Null()) noexcept {
    Handle old = std::exchange(handle, h);
    if (old != Traits::Null()) Traits::Close(old);
  }

  // For functions that return a new handle through an out parameter: closes the
  // handle held and gives the place for the new one.
  Handle* receive() noexcept {
    reset();
    return &handle;
  }

 private:
  Handle handle;
};

#endif
