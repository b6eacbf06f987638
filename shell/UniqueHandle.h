#pragma once

#include <windows.h>

#include <utility>

// A move-only owner of one Windows handle. Traits give the handle type, the value
// that means "no handle" and the function that closes it.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept : handle(Traits::Null()) {}
  explicit UniqueHandle(Handle value) noexcept : handle(value) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const noexcept { return handle; }
  bool IsValid() const noexcept { return handle != Traits::Null(); }
  explicit operator bool() const noexcept { return IsValid(); }

  // Gives up ownership; the caller closes the handle.
  Handle Release() noexcept { return std::exchange(handle, Traits::Null()); }

  void Reset(Handle value = Traits::Null()) noexcept {
    Handle old = std::exchange(handle, value);
    if (old != Traits::Null()) Traits::Close(old);
  }

  // For functions that return a new handle through an out parameter.
  Handle* Receive() noexcept {
    Reset();
    return &handle;
  }

 private:
  Handle handle;
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::RegCloseKey(h); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

struct GdiBitmapTraits {
  using Handle = HBITMAP;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::DeleteObject(h); }
};
using UniqueBitmap = UniqueHandle<GdiBitmapTraits>;

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::DeleteDC(h); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

struct MenuTraits {
  using Handle = HMENU;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::DestroyMenu(h); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
using UniqueFile = UniqueHandle<FileHandleTraits>;

struct LocalMemoryTraits {
  using Handle = HLOCAL;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::LocalFree(h); }
};
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::GlobalFree(h); }
};
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

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
  void* Data() const noexcept { return data; }

 private:
  HGLOBAL memory;
  void* data;
};

// Selects a GDI object into a device context and selects the previous one back
// when the scope ends, so the object can be deleted after the context.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept
      : dc(dc), previous(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous != nullptr && previous != HGDI_ERROR) ::SelectObject(dc, previous);
  }
  bool Succeeded() const noexcept { return previous != nullptr && previous != HGDI_ERROR; }

 private:
  HDC dc;
  HGDIOBJ previous;
};
