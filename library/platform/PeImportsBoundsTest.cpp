// The import reader on images made to make it work hard: its time and its answer
// must stay in proportion to the image, however the fields point.
#include "platform/PeImports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

const size_t kPe = 0x40;
const size_t kSectionTable = kPe + 24 + 0xE0;

void Write32(std::string& bytes, size_t offset, uint32_t value) {
  std::memcpy(&bytes[offset], &value, sizeof(value));
}

// A PE32 header with `count` sections; the caller fills the section headers.
std::string Header(size_t count) {
  std::string image(kSectionTable + count * 40, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  Write32(image, 0x3C, kPe);
  Write32(image, kPe, 0x00004550);
  Write32(image, kPe + 4, static_cast<uint32_t>(count) << 16);  // NumberOfSections
  image[kPe + 20] = '\xE0';                                      // SizeOfOptionalHeader
  return image;
}

void SetSection(std::string& image, size_t index, uint32_t address, uint32_t size, uint32_t raw) {
  size_t header = kSectionTable + index * 40;
  Write32(image, header + 8, size);
  Write32(image, header + 12, address);
  Write32(image, header + 16, size);
  Write32(image, header + 20, raw);
}

std::string Descriptor(uint32_t filler, uint32_t name) {
  std::string descriptor(20, '\0');
  for (size_t field = 0; field < 20; field += 4) Write32(descriptor, field, filler);
  Write32(descriptor, 12, name);
  return descriptor;
}

// One section whose address has no zero byte, filled with descriptors that have no
// zero byte either and whose names all point back into the descriptor table: each
// name runs on to the all-zero descriptor at the very end.
std::string OverlappingNames(size_t size) {
  const uint32_t kAddress = 0x41410000;
  std::string image = Header(1);
  size_t raw = image.size();
  size_t count = (size - raw) / 20 - 1;
  SetSection(image, 0, kAddress, static_cast<uint32_t>(size - raw), static_cast<uint32_t>(raw));
  Write32(image, kPe + 0x80, kAddress);
  for (size_t i = 0; i < count; ++i) image += Descriptor(0x41414141, kAddress + 0x0101);
  image += std::string(20, '\0');
  return image;
}

// As many sections as descriptors, every descriptor naming one short DLL in the last
// section: each name is looked up among all the sections.
std::string ManySections(size_t count) {
  std::string image = Header(count);
  const uint32_t kTable = 0x10000000;
  size_t raw = image.size();
  for (size_t i = 0; i + 1 < count; ++i) SetSection(image, i, 0x1000 + static_cast<uint32_t>(i) * 0x1000, 0x1000, 0);
  SetSection(image, count - 1, kTable, static_cast<uint32_t>((count + 1) * 20 + 6), static_cast<uint32_t>(raw));
  Write32(image, kPe + 0x80, kTable);
  uint32_t name = kTable + static_cast<uint32_t>((count + 1) * 20);
  for (size_t i = 0; i < count; ++i) image += Descriptor(0, name);
  image += std::string(20, '\0');
  image += std::string("a.dll") + '\0';
  return image;
}

struct Answer {
  Names names;
  double milliseconds;
  size_t characters;
};

Answer TimedRead(const std::string& image) {
  auto start = std::chrono::steady_clock::now();
  Answer answer;
  answer.names = ReadImportedLibraryNames(reinterpret_cast<const uint8_t*>(image.data()), image.size());
  answer.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  answer.characters = 0;
  for (const std::wstring& name : answer.names) answer.characters += name.size();
  std::printf("  %zu bytes: %zu names, %zu characters in %.1f ms\n", image.size(), answer.names.size(),
              answer.characters, answer.milliseconds);
  return answer;
}

// The sizes grow so that a reader whose answer grows with the square of the image
// fails on a small one, before it can exhaust the machine on the large one.
TEST(PeImportsBoundsTest, NamesPointingIntoTheDescriptorTableAreNoNames) {
  for (size_t size : {4u << 10, 16u << 10, 64u << 10, 256u << 10}) {
    SCOPED_TRACE(size);
    Answer answer = TimedRead(OverlappingNames(size));
    ASSERT_LE(answer.characters, size) << "the answer outgrows the image";
    EXPECT_EQ(Names{}, answer.names) << "the first name runs past any file name";
    EXPECT_LT(answer.milliseconds, 1000.0);
  }
}

// Four times the sections and descriptors may cost about four times as long, not
// sixteen: each name is looked up among all the sections. The best of a few runs
// is compared, which a busy machine disturbs least.
TEST(PeImportsBoundsTest, ManySectionsAndDescriptorsAreReadInProportion) {
  const size_t kCount = 8000;
  double best[2] = {1e9, 1e9};
  for (int run = 0; run < 3; ++run) {
    for (size_t step = 0; step < 2; ++step) {
      size_t count = kCount << (2 * step);
      Answer answer = TimedRead(ManySections(count));
      ASSERT_EQ(count, answer.names.size());
      EXPECT_EQ(L"a.dll", answer.names.back());
      best[step] = std::min(best[step], answer.milliseconds);
    }
  }
  std::printf("  four times the image: %.1f times the time\n", best[1] / best[0]);
  EXPECT_LT(best[1], 10 * best[0]);
}

}  // namespace
