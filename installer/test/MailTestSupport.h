// Registry and system-folder scaffolding for the tests of the mail routes.
#ifndef PENNAROO_TEST_MAIL_TEST_SUPPORT_H
#define PENNAROO_TEST_MAIL_TEST_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

namespace pennaroo::test {

// Redirects HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of this process to two empty
// scratch keys, so that a test sees only the registrations it writes. Both are
// restored and the scratch keys deleted at the end.
class ScratchRegistry {
 public:
  ScratchRegistry();
  ~ScratchRegistry();
  ScratchRegistry(const ScratchRegistry&) = delete;
  ScratchRegistry& operator=(const ScratchRegistry&) = delete;

 private:
  std::wstring rootPath;
  HKEY user = nullptr;
  HKEY machine = nullptr;
};

// Writing helpers; each creates the key when needed and fails the test on error.
void SetString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value,
               DWORD type = REG_SZ);
void SetDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value);
void SetMultiString(HKEY root, const std::wstring& key, const wchar_t* name,
                    const std::vector<std::wstring>& strings);
void SetRaw(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type,
            const void* data, DWORD bytes);

// Puts a fixture into the system folder under `systemName` for the life of the
// object, keeping Wine's own file aside and putting it back afterwards (also
// after a run that ended before it could).
class SystemFolderFixture {
 public:
  SystemFolderFixture(const std::wstring& fixture, const std::wstring& systemName);
  ~SystemFolderFixture();
  SystemFolderFixture(const SystemFolderFixture&) = delete;
  SystemFolderFixture& operator=(const SystemFolderFixture&) = delete;

 private:
  std::wstring target;
  std::wstring keptAside;
};

// A fixture copied to `target`, deleted at the end.
class PlacedFile {
 public:
  PlacedFile(const std::wstring& fixture, const std::wstring& target);
  ~PlacedFile();
  PlacedFile(const PlacedFile&) = delete;
  PlacedFile& operator=(const PlacedFile&) = delete;
  const std::wstring& Path() const { return target; }

 private:
  std::wstring target;
};

// The fixture libraries built beside the test program.
std::wstring UnicodeMapiFixture();
std::wstring AnsiMapiFixture();
std::wstring MsiFixture();

// A path as the fixtures write it in their record: lower case, escaped.
std::string RecordedPath(const std::wstring& path);

}  // namespace pennaroo::test

#endif
