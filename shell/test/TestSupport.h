#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "UniqueHandle.h"

struct LibraryTraits {
  using Handle = HMODULE;
  static Handle Null() { return nullptr; }
  static void Close(Handle h) { ::FreeLibrary(h); }
};
using UniqueLibrary = UniqueHandle<LibraryTraits>;

// Where the built images are, seen from the running test executable.
std::wstring ExecutableDirectory();
std::wstring ShellDllPath();
std::wstring FixtureDirectory();  // holds the recording quendra3.exe, with a trailing backslash

// Runs a command line to its end and gives its exit code; ~0u when it cannot start.
DWORD RunProcess(const std::wstring& commandLine);

bool KeyExists(HKEY root, const std::wstring& key);
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const wchar_t* name);
void WriteString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& data);
void DeleteKey(HKEY root, const std::wstring& key);

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::wstring& Path() const { return path; }  // no trailing backslash
  std::wstring File(const std::wstring& name) const;  // creates an empty file
  std::wstring Folder(const std::wstring& name) const;  // creates a folder

 private:
  std::wstring path;
};

// Removes the installation record from both hives for the life of the scope and
// puts back what was there.
class InstallationRecordScope {
 public:
  InstallationRecordScope();
  ~InstallationRecordScope();
  InstallationRecordScope(const InstallationRecordScope&) = delete;
  InstallationRecordScope& operator=(const InstallationRecordScope&) = delete;

  static void Write(HKEY root, const std::wstring& folder);
  // Stores raw bytes as the "Installed" value, which the system hands back exactly
  // as stored, without a terminator of its own.
  static void WriteBytes(HKEY root, const void* data, DWORD size);

 private:
  std::optional<std::wstring> machine;
  std::optional<std::wstring> user;
};
