#ifndef QUENDRA_TESTING_SUPPORT_CRAFTEDPEIMAGE_H
#define QUENDRA_TESTING_SUPPORT_CRAFTEDPEIMAGE_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// PE32 images made to make the import reader work hard, built in memory by the
// tests: a header, section headers pointing into the bytes that follow, and import
// descriptors of the caller's choosing. Nothing in them is loadable.
namespace craftedpe {

const size_t kPe = 0x40;
const size_t kSectionTable = kPe + 24 + 0xE0;
const size_t kImportDirectoryField = kPe + 0x80;
const size_t kDescriptorSize = 20;

inline void Write32(std::string& bytes, size_t offset, uint32_t value) {
  std::memcpy(&bytes[offset], &value, sizeof(value));
}

// A PE32 header with `count` sections; the caller fills the section headers.
inline std::string Header(size_t count) {
  std::string image(kSectionTable + count * 40, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  Write32(image, 0x3C, kPe);
  Write32(image, kPe, 0x00004550);
  Write32(image, kPe + 4, static_cast<uint32_t>(count) << 16);  // NumberOfSections
  image[kPe + 20] = '\xE0';                                      // SizeOfOptionalHeader
  return image;
}

inline void SetSection(std::string& image, size_t index, uint32_t address, uint32_t size, uint32_t raw) {
  size_t header = kSectionTable + index * 40;
  Write32(image, header + 8, size);
  Write32(image, header + 12, address);
  Write32(image, header + 16, size);
  Write32(image, header + 20, raw);
}

inline std::string Descriptor(uint32_t filler, uint32_t name) {
  std::string descriptor(kDescriptorSize, '\0');
  for (size_t field = 0; field < kDescriptorSize; field += 4) Write32(descriptor, field, filler);
  Write32(descriptor, 12, name);
  return descriptor;
}

// About `size` bytes of one section of descriptors that all name the same DLL, whose
// name is as long as a name may be (259 characters): the most text a well-formed
// table can make the reader produce, about thirteen characters per byte.
inline std::string RepeatedLongestName(size_t size) {
  const uint32_t kAddress = 0x10000000;
  const size_t kNameLength = 259;
  std::string image = Header(1);
  size_t raw = image.size();
  size_t count = (size - raw - kNameLength - 1) / kDescriptorSize - 1;
  uint32_t name = kAddress + static_cast<uint32_t>((count + 1) * kDescriptorSize);
  SetSection(image, 0, kAddress, static_cast<uint32_t>(size - raw), static_cast<uint32_t>(raw));
  Write32(image, kImportDirectoryField, kAddress);
  image.reserve(size);
  std::string descriptor = Descriptor(1, name);
  for (size_t i = 0; i < count; ++i) image += descriptor;
  image += std::string(kDescriptorSize, '\0');
  image += std::string(kNameLength - 4, 'n') + ".dll";
  image.resize(size, '\0');
  return image;
}

}  // namespace craftedpe

#endif
