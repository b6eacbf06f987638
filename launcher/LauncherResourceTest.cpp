#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/WindowsHandles.h"

namespace {

std::wstring ExecutablePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring own(path);
  return own.substr(0, own.rfind(L'\\')) + L"\\quendra3.exe";
}

// The bytes of one resource of the image, empty when it is missing.
std::string ResourceBytes(HMODULE image, LPCWSTR type, LPCWSTR name) {
  HRSRC found = FindResourceW(image, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(image, found);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes != nullptr ? std::string(bytes, SizeofResource(image, found)) : std::string();
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int CountResources(HMODULE image, LPCWSTR type) {
  int count = 0;
  EnumResourceNamesW(image, type, CountName, reinterpret_cast<LONG_PTR>(&count));
  return count;
}

#pragma pack(push, 2)
struct IconGroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

class LauncherResourceTest : public testing::Test {
 protected:
  void SetUp() override {
    image.reset(LoadLibraryExW(ExecutablePath().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(image) << "cannot open quendra3.exe, error " << GetLastError();
  }

  UniqueModule image;
};

TEST_F(LauncherResourceTest, OneIconGroupOfSixImages) {
  ASSERT_EQ(1, CountResources(image.get(), RT_GROUP_ICON));
  std::string group = ResourceBytes(image.get(), RT_GROUP_ICON, MAKEINTRESOURCEW(1));
  ASSERT_GE(group.size(), sizeof(IconGroupHeader));
  const auto* header = reinterpret_cast<const IconGroupHeader*>(group.data());
  ASSERT_EQ(6, header->count);
  ASSERT_EQ(sizeof(IconGroupHeader) + 6 * sizeof(IconGroupEntry), group.size());
  const auto* entries = reinterpret_cast<const IconGroupEntry*>(group.data() + sizeof(IconGroupHeader));
  std::set<int> sides;
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(testing::Message() << "image " << i);
    sides.insert(entries[i].width == 0 ? 256 : entries[i].width);
    EXPECT_EQ(entries[i].width, entries[i].height);
    EXPECT_EQ(32, entries[i].bitCount);
    std::string picture = ResourceBytes(image.get(), RT_ICON, MAKEINTRESOURCEW(entries[i].id));
    EXPECT_EQ(entries[i].bytes, picture.size());
  }
  EXPECT_EQ((std::set<int>{16, 24, 32, 48, 64, 256}), sides);
}

TEST_F(LauncherResourceTest, ManifestRunsAsInvokerWithoutUiAccess) {
  EXPECT_EQ(1, CountResources(image.get(), RT_MANIFEST));
  std::string manifest = ResourceBytes(image.get(), RT_MANIFEST, MAKEINTRESOURCEW(1));
  EXPECT_NE(std::string::npos, manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"))
      << manifest;
}

std::wstring VersionString(const std::vector<char>& block, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  std::wstring query = L"\\StringFileInfo\\040904b0\\" + name;
  if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) return L"(missing)";
  return static_cast<const wchar_t*>(value);
}

TEST(LauncherVersionTest, VersionResourceNamesTheProgram) {
  std::wstring path = ExecutablePath();
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_NE(0u, size);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(0x0001000Bu, fixed->dwFileVersionMS);
  EXPECT_EQ(0u, fixed->dwFileVersionLS);
  EXPECT_EQ(0x0001000Bu, fixed->dwProductVersionMS);
  EXPECT_EQ(0u, fixed->dwProductVersionLS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

  struct Field {
    const wchar_t* name;
    const wchar_t* value;
  };
  const Field kFields[] = {
      {L"FileVersion", L"1.11.0.0"},       {L"ProductVersion", L"1.11.0.0"},
      {L"InternalName", L"quendra3.exe"},  {L"OriginalFilename", L"quendra3.exe"},
      {L"FileDescription", L"Quendra 3.0"}, {L"ProductName", L"Quendra 3.0"},
  };
  for (const Field& field : kFields) {
    SCOPED_TRACE(testing::Message() << field.name);
    EXPECT_EQ(std::wstring(field.value), VersionString(block, field.name));
  }
}

}  // namespace
