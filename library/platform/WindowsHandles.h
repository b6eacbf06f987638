#ifndef QUENDRA_PLATFORM_WINDOWSHANDLES_H
#define QUENDRA_PLATFORM_WINDOWSHANDLES_H

// The owners of the Windows handles the system's code holds, one per way of
// closing. Header-only: the launcher, the Explorer extension and the installer
// library use it without linking against the launcher library, and an owner that an
// image never names adds nothing to its imports.

#include <windows.h>

#include "platform/UniqueHandle.h"

// Kernel objects whose "none" is null: processes, threads, jobs, file mappings.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// Kernel objects whose "none" is INVALID_HANDLE_VALUE: files and tool-help snapshots.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

// Directory searches of FindFirstFileW.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};
using UniqueFind = UniqueHandle<FindHandleTraits>;

struct MappedViewTraits {
  using Handle = const void*;
  static Handle Null() { return nullptr; }
  static void Close(Handle view) { ::UnmapViewOfFile(view); }
};
using UniqueMappedView = UniqueHandle<MappedViewTraits>;

// One reference of a loaded module, data-file loads included.
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::FreeLibrary(h); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

// Keys opened or created below a root; the predefined roots themselves are never
// given to an owner.
struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::RegCloseKey(h); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// A bitmap is deleted only once no device context has it selected.
struct BitmapTraits {
  using Handle = HBITMAP;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::DeleteObject(h); }
};
using UniqueBitmap = UniqueHandle<BitmapTraits>;

// Device contexts of CreateCompatibleDC; those of GetDC are released, not deleted.
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::DeleteDC(h); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A menu no window or other menu owns yet; once inserted, its owner destroys it.
struct MenuTraits {
  using Handle = HMENU;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::DestroyMenu(h); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

struct WindowTraits {
  using Handle = HWND;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

// Blocks that the system allocated for the caller with LocalAlloc, such as the text
// of FormatMessageW.
struct LocalMemoryTraits {
  using Handle = void*;
  static Handle Null() { return nullptr; }
  static void Close(Handle memory) { ::LocalFree(memory); }
};
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;

// The argument vector of CommandLineToArgvW: one local block holding the pointers
// and the texts.
struct ArgumentVectorTraits {
  using Handle = wchar_t**;
  static Handle Null() { return nullptr; }
  static void Close(Handle vector) { ::LocalFree(vector); }
};
using UniqueArgumentVector = UniqueHandle<ArgumentVectorTraits>;

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Null() { return nullptr; }
  static void Close(Handle memory) { ::GlobalFree(memory); }
};
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

#endif
