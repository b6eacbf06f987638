#include "platform/PeImports.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/WindowsTestSupport.h"

namespace {

using Names = std::vector<std::wstring>;

std::wstring PeFixture(const wchar_t* name) { return ExecutableFolder() + L"\\pe-fixtures\\" + name; }

uint32_t Read32(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + offset, sizeof(value));
  return value;
}

void Write32(std::string& bytes, size_t offset, uint32_t value) { std::memcpy(&bytes[offset], &value, sizeof(value)); }

// The bytes at the very end of a readable page with an inaccessible page behind
// them: a read past the last byte faults at once instead of going unnoticed.
class GuardedCopy {
 public:
  explicit GuardedCopy(const std::string& bytes) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    size_t page = info.dwPageSize;
    size_t readable = (bytes.size() + page - 1) / page * page + page;
    base = static_cast<uint8_t*>(VirtualAlloc(nullptr, readable + page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(base + readable, page, PAGE_NOACCESS, &old);
    data = base + readable - bytes.size();
    std::memcpy(data, bytes.data(), bytes.size());
    size = bytes.size();
  }
  ~GuardedCopy() { VirtualFree(base, 0, MEM_RELEASE); }
  GuardedCopy(const GuardedCopy&) = delete;
  GuardedCopy& operator=(const GuardedCopy&) = delete;

  Names Read() const { return ReadImportedLibraryNames(data, size); }

 private:
  uint8_t* base = nullptr;
  uint8_t* data = nullptr;
  size_t size = 0;
};

TEST(PeImportsTest, FilesGiveTheirImportsInDescriptorOrder) {
  TestFolder folder;
  folder.Write(L"notes.txt", "MZ is how a program begins, but this is text.\r\n");
  struct Case {
    std::wstring path;
    Names names;
  };
  const Case kCases[] = {
      {PeFixture(L"pe32_imports.dll"), {L"KERNEL32.dll", L"msvcr100.dll"}},
      {PeFixture(L"pe32_empty.dll"), {}},
      {PeFixture(L"pe32plus_imports.dll"), {}},  // PE32+: the import field reads LoaderFlags
      {folder / L"notes.txt", {}},
      {folder / L"missing.dll", {}},
      {folder.path, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.path);
    EXPECT_EQ(c.names, ListImportedLibraryNames(c.path));
  }
  WindowsPlatform platform;
  EXPECT_EQ(kCases[0].names, platform.ListLibraryImports(kCases[0].path));
}

TEST(PeImportsTest, EveryTruncationStaysInsideTheData) {
  std::string image = ReadBytes(PeFixture(L"pe32_imports.dll"));
  ASSERT_FALSE(image.empty());
  Names whole = GuardedCopy(image).Read();
  ASSERT_EQ((Names{L"KERNEL32.dll", L"msvcr100.dll"}), whole);
  for (size_t size = 0; size < image.size(); ++size) {
    Names names = GuardedCopy(image.substr(0, size)).Read();
    ASSERT_LE(names.size(), whole.size()) << size;
    EXPECT_TRUE(std::equal(names.begin(), names.end(), whole.begin())) << size;
  }
}

// The import directory of the fixture, found the way the loader finds it.
struct Layout {
  size_t pe;
  size_t importDirectory;  // file offset of the first descriptor
  size_t firstName;        // file offset of the first descriptor's name
};

Layout Locate(const std::string& image) {
  Layout layout{};
  layout.pe = Read32(image, 0x3C);
  uint32_t rva = Read32(image, layout.pe + 0x80);
  size_t sections = layout.pe + 24 + static_cast<uint16_t>(Read32(image, layout.pe + 20));
  uint16_t count = static_cast<uint16_t>(Read32(image, layout.pe + 6));
  auto toFile = [&](uint32_t address) {
    for (size_t i = 0; i < count; ++i) {
      size_t header = sections + i * 40;
      uint32_t va = Read32(image, header + 12);
      if (va <= address && address < va + Read32(image, header + 8)) return address - va + Read32(image, header + 20);
    }
    return 0u;
  };
  layout.importDirectory = toFile(rva);
  layout.firstName = toFile(Read32(image, layout.importDirectory + 12));
  return layout;
}

TEST(PeImportsTest, CorruptedHeadersGiveTheNamesReadSoFar) {
  const std::string image = ReadBytes(PeFixture(L"pe32_imports.dll"));
  ASSERT_FALSE(image.empty());
  const Layout at = Locate(image);
  ASSERT_NE(0u, at.importDirectory);
  ASSERT_NE(0u, at.firstName);
  struct Case {
    const char* what;
    void (*corrupt)(std::string& bytes, const Layout& at);
    Names names;
  };
  const Case kCases[] = {
      {"no MZ", [](std::string& b, const Layout&) { b[0] = 'X'; }, {}},
      {"PE offset past the end", [](std::string& b, const Layout&) { Write32(b, 0x3C, 0xFFFFFFF0u); }, {}},
      {"PE offset at the last bytes",
       [](std::string& b, const Layout&) { Write32(b, 0x3C, static_cast<uint32_t>(b.size() - 2)); }, {}},
      {"no PE signature", [](std::string& b, const Layout& a) { b[a.pe] = 'Q'; }, {}},
      {"no import directory", [](std::string& b, const Layout& a) { Write32(b, a.pe + 0x80, 0); }, {}},
      {"import directory in no section",
       [](std::string& b, const Layout& a) { Write32(b, a.pe + 0x80, 0x7FFFFFF0u); }, {}},
      {"section table past the end",
       [](std::string& b, const Layout& a) { Write32(b, a.pe + 20, 0xFFF0u | (Read32(b, a.pe + 20) & 0xFFFF0000u)); },
       {}},
      {"raw data pointers past the end",
       [](std::string& b, const Layout& a) {
         size_t sections = a.pe + 24 + static_cast<uint16_t>(Read32(b, a.pe + 20));
         for (size_t i = 0; i < static_cast<uint16_t>(Read32(b, a.pe + 6)); ++i) {
           Write32(b, sections + i * 40 + 20, 0xFFFFF000u);
         }
       },
       {}},
      {"first name in no section",
       [](std::string& b, const Layout& a) { Write32(b, a.importDirectory + 12, 0x7FFFFFF0u); }, {L"msvcr100.dll"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    std::string bytes = image;
    c.corrupt(bytes, at);
    EXPECT_EQ(c.names, GuardedCopy(bytes).Read());
  }
}

// A small PE32 image made here: one section at file offset 0x200 (address 0x1000)
// holding the names first and then the import descriptors, so that the descriptor
// table may run to the end of the data.
std::string SmallImage(const std::vector<std::string>& names, bool terminated) {
  const size_t kPe = 0x40, kRaw = 0x200;
  const uint32_t kAddress = 0x1000;
  std::string image(kRaw, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  Write32(image, 0x3C, kPe);
  Write32(image, kPe, 0x00004550);
  image[kPe + 6] = 1;        // NumberOfSections
  image[kPe + 20] = '\xE0';  // SizeOfOptionalHeader
  size_t section = kPe + 24 + 0xE0;
  Write32(image, section + 8, 0x10000);  // VirtualSize
  Write32(image, section + 12, kAddress);
  Write32(image, section + 20, kRaw);
  std::vector<uint32_t> addresses;
  for (const std::string& name : names) {
    addresses.push_back(static_cast<uint32_t>(kAddress + image.size() - kRaw));
    image += name + '\0';
  }
  Write32(image, kPe + 0x80, static_cast<uint32_t>(kAddress + image.size() - kRaw));
  for (uint32_t address : addresses) {
    std::string descriptor(20, '\0');
    Write32(descriptor, 12, address);
    image += descriptor;
  }
  if (terminated) image += std::string(20, '\0');
  return image;
}

TEST(PeImportsTest, DescriptorTableOrNameCutByTheEndOfTheData) {
  struct Case {
    const char* what;
    std::string image;
    Names names;
  };
  // The one descriptor names three bytes at the very end, with no NUL after them.
  std::string unterminatedName = SmallImage({"a.dll"}, true);
  Write32(unterminatedName, 0x200 + 6 + 12, static_cast<uint32_t>(0x1000 + unterminatedName.size() - 0x200));
  unterminatedName += "abc";
  const Case kCases[] = {
      {"well formed", SmallImage({"msvcr100.dll", "KERNEL32.dll"}, true), {L"msvcr100.dll", L"KERNEL32.dll"}},
      {"no terminating descriptor", SmallImage({"msvcr100.dll", "KERNEL32.dll"}, false),
       {L"msvcr100.dll", L"KERNEL32.dll"}},
      {"last descriptor cut", SmallImage({"a.dll", "b.dll"}, false).substr(0, 0x200 + 12 + 20 + 15), {L"a.dll"}},
      {"name without its NUL at the end", unterminatedName, {}},
      {"high bytes kept as characters", SmallImage({"\xE9t\xE9.dll"}, true), {L"\u00E9t\u00E9.dll"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.names, GuardedCopy(c.image).Read());
  }
}

// Through the file mapping: the first name runs without its NUL to the end of a
// file that ends on a page boundary, so a read past the end would leave the view.
TEST(PeImportsTest, NameRunningToTheEndOfAMappedFileIsNotRead) {
  std::string image = ReadBytes(PeFixture(L"pe32_imports.dll"));
  ASSERT_EQ(0u, image.size() % 4096);
  const Layout at = Locate(image);
  for (size_t offset = at.firstName; offset < image.size(); ++offset) image[offset] = 'a';
  TestFolder folder;
  folder.Write(L"unterminated.dll", image);
  EXPECT_EQ(Names{}, ListImportedLibraryNames(folder / L"unterminated.dll"));
}

}  // namespace
