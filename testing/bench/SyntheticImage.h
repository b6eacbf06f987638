#ifndef QUENDRA_TESTING_BENCH_SYNTHETICIMAGE_H
#define QUENDRA_TESTING_BENCH_SYNTHETICIMAGE_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A PE32 image of the given size whose import directory, in a section at the very
// end, names the given DLLs: as large as a JVM library, so that a scan that reads
// more than the headers and descriptors shows in its time.
inline std::vector<uint8_t> MakeImportingImage(size_t size, const std::vector<std::string>& imports) {
  const size_t kHeaders = 0x400;
  const size_t kImportSection = 0x1000;
  std::vector<uint8_t> image(size, 0xCC);
  std::fill(image.begin(), image.begin() + kHeaders, 0);
  auto put16 = [&image](size_t at, uint32_t value) {
    image[at] = static_cast<uint8_t>(value);
    image[at + 1] = static_cast<uint8_t>(value >> 8);
  };
  auto put32 = [&put16](size_t at, uint32_t value) {
    put16(at, value & 0xFFFF);
    put16(at + 2, value >> 16);
  };
  const uint32_t pe = 0x40;
  const uint32_t textSize = static_cast<uint32_t>(size - kHeaders - kImportSection);
  const uint32_t importAddress = 0x1000 + ((textSize + 0xFFF) & ~0xFFFu);
  const uint32_t importPosition = static_cast<uint32_t>(kHeaders) + textSize;
  put16(0, 0x5A4D);
  put32(0x3C, pe);
  put32(pe, 0x00004550);
  put16(pe + 4, 0x14C);   // i386
  put16(pe + 6, 2);       // sections
  put16(pe + 20, 0xE0);   // optional header size
  put16(pe + 24, 0x10B);  // PE32
  put32(pe + 0x80, importAddress);
  put32(pe + 0x84, static_cast<uint32_t>((imports.size() + 1) * 20));
  const uint32_t sections = pe + 24 + 0xE0;
  const uint32_t layout[2][4] = {{textSize, 0x1000, textSize, static_cast<uint32_t>(kHeaders)},
                                 {static_cast<uint32_t>(kImportSection), importAddress,
                                  static_cast<uint32_t>(kImportSection), importPosition}};
  for (int index = 0; index < 2; ++index) {
    uint32_t header = sections + index * 40;
    put32(header + 8, layout[index][0]);
    put32(header + 12, layout[index][1]);
    put32(header + 16, layout[index][2]);
    put32(header + 20, layout[index][3]);
  }
  std::fill(image.begin() + importPosition, image.end(), 0);
  uint32_t name = static_cast<uint32_t>((imports.size() + 1) * 20);
  for (size_t index = 0; index < imports.size(); ++index) {
    put32(importPosition + index * 20 + 12, importAddress + name);
    std::copy(imports[index].begin(), imports[index].end(), image.begin() + importPosition + name);
    name += static_cast<uint32_t>(imports[index].size() + 1);
  }
  return image;
}

#endif
