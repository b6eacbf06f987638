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

#include "CraftedPeImage.h"

namespace {

using Names = std::vector<std::wstring>;

using craftedpe::Descriptor;
using craftedpe::Header;
using craftedpe::SetSection;
using craftedpe::Write32;
using craftedpe::kPe;

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

// The worst a well-formed table can do: every descriptor names the same DLL with the
// longest name there may be. Each is read whole, so the answer is some thirteen
// characters per byte of the image, and no more.
TEST(PeImportsBoundsTest, LongestNamesRepeatedAreReadWholeAndInProportion) {
  const std::wstring kName = std::wstring(255, L'n') + L".dll";
  for (size_t size : {4u << 10, 64u << 10}) {
    SCOPED_TRACE(size);
    Answer answer = TimedRead(craftedpe::RepeatedLongestName(size));
    size_t count = (size - craftedpe::kSectionTable - 40 - 260) / craftedpe::kDescriptorSize - 1;
    ASSERT_EQ(count, answer.names.size());
    EXPECT_EQ(kName, answer.names.front());
    EXPECT_EQ(kName, answer.names.back());
    EXPECT_LE(answer.characters, 13 * size);
  }
}

}  // namespace
