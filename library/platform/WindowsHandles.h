#ifndef QUENDRA_PLATFORM_WINDOWSHANDLES_H
#define QUENDRA_PLATFORM_WINDOWSHANDLES_H

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

// Blocks that the system allocated for the caller with LocalAlloc, such as the text
// of FormatMessageW.
struct LocalMemoryTraits {
  using Handle = void*;
  static Handle Null() { return nullptr; }
  static void Close(Handle memory) { ::LocalFree(memory); }
};
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;

#endif
