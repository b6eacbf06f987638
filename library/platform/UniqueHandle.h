#ifndef QUENDRA_PLATFORM_UNIQUEHANDLE_H
#define QUENDRA_PLATFORM_UNIQUEHANDLE_H

#include <utility>

// Move-only owner of a raw handle. Traits give the empty value and the way to
// close one:
//   struct FindTraits {
//     using Handle = HANDLE;
//     static Handle Null() { return INVALID_HANDLE_VALUE; }
//     static void Close(Handle h) { ::FindClose(h); }
//   };
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() : handle(Traits::Null()) {}
  explicit UniqueHandle(Handle h) : handle(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle; }
  bool valid() const { return handle != Traits::Null(); }
  explicit operator bool() const { return valid(); }

  Handle release() { return std::exchange(handle, Traits::Null()); }
  void reset(Handle h = Traits::Null()) {
    Handle old = std::exchange(handle, h);
    if (old != Traits::Null()) Traits::Close(old);
  }

 private:
  Handle handle;
};

#endif
