#include "platform/PeImports.h"

namespace {

const uint16_t kDosSignature = 0x5A4D;      // "MZ"
const uint32_t kPeSignature = 0x00004550;   // "PE\0\0"
const uint64_t kPeOffsetField = 0x3C;
const uint64_t kImportDirectoryField = 0x80;
const uint64_t kFileHeaderSize = 20;
const uint64_t kSectionHeaderSize = 40;
const uint64_t kImportDescriptorSize = 20;

// Bounds-checked little-endian reads; offsets are 64-bit so that no sum of 32-bit
// fields from the file can wrap around.
class ByteRange {
 public:
  ByteRange(const uint8_t* data, size_t size) : data(data), size(size) {}

  bool Read16(uint64_t offset, uint16_t& value) const {
    if (!Contains(offset, 2)) return false;
    value = static_cast<uint16_t>(data[offset] | data[offset + 1] << 8);
    return true;
  }

  bool Read32(uint64_t offset, uint32_t& value) const {
    if (!Contains(offset, 4)) return false;
    value = static_cast<uint32_t>(data[offset]) | static_cast<uint32_t>(data[offset + 1]) << 8 |
            static_cast<uint32_t>(data[offset + 2]) << 16 | static_cast<uint32_t>(data[offset + 3]) << 24;
    return true;
  }

  // The bytes from `offset` up to the next NUL; false when the range ends first.
  bool ReadTerminated(uint64_t offset, std::wstring& text) const {
    std::wstring collected;
    for (uint64_t at = offset; at < size; ++at) {
      if (data[at] == 0) {
        text = collected;
        return true;
      }
      collected.push_back(static_cast<wchar_t>(data[at]));
    }
    return false;
  }

 private:
  bool Contains(uint64_t offset, uint64_t count) const { return offset <= size && count <= size - offset; }

  const uint8_t* data;
  uint64_t size;
};

struct Section {
  uint32_t virtualAddress;
  uint32_t virtualSize;
  uint32_t pointerToRawData;
};

bool FindPeHeader(const ByteRange& bytes, uint64_t& peOffset) {
  uint16_t dosSignature = 0;
  uint32_t offset = 0;
  uint32_t peSignature = 0;
  if (!bytes.Read16(0, dosSignature) || dosSignature != kDosSignature) return false;
  if (!bytes.Read32(kPeOffsetField, offset) || !bytes.Read32(offset, peSignature)) return false;
  if (peSignature != kPeSignature) return false;
  peOffset = offset;
  return true;
}

// The section headers that lie inside the range; a table cut short keeps the
// complete headers before the cut.
std::vector<Section> ReadSections(const ByteRange& bytes, uint64_t peOffset) {
  std::vector<Section> sections;
  uint16_t count = 0;
  uint16_t optionalHeaderSize = 0;
  uint64_t fileHeader = peOffset + 4;
  if (!bytes.Read16(fileHeader + 2, count) || !bytes.Read16(fileHeader + 16, optionalHeaderSize)) {
    return sections;
  }
  uint64_t table = fileHeader + kFileHeaderSize + optionalHeaderSize;
  for (uint64_t index = 0; index < count; ++index) {
    uint64_t header = table + index * kSectionHeaderSize;
    Section section{};
    if (!bytes.Read32(header + 8, section.virtualSize) || !bytes.Read32(header + 12, section.virtualAddress) ||
        !bytes.Read32(header + 20, section.pointerToRawData)) {
      break;
    }
    sections.push_back(section);
  }
  return sections;
}

// The file position of a virtual address: the last section that holds it decides.
bool MapAddress(const std::vector<Section>& sections, uint32_t address, uint64_t& position) {
  bool found = false;
  for (const Section& section : sections) {
    uint64_t start = section.virtualAddress;
    if (start <= address && address < start + section.virtualSize) {
      position = address - start + section.pointerToRawData;
      found = true;
    }
  }
  return found;
}

}  // namespace

std::vector<std::wstring> ReadImportedLibraryNames(const uint8_t* data, size_t size) {
  std::vector<std::wstring> names;
  ByteRange bytes(data, size);
  uint64_t peOffset = 0;
  uint32_t importDirectory = 0;
  if (data == nullptr || !FindPeHeader(bytes, peOffset)) return names;
  if (!bytes.Read32(peOffset + kImportDirectoryField, importDirectory) || importDirectory == 0) return names;
  std::vector<Section> sections = ReadSections(bytes, peOffset);
  uint64_t descriptor = 0;
  if (!MapAddress(sections, importDirectory, descriptor)) return names;
  // The walk ends at the all-zero descriptor, or where the range ends without one.
  for (;; descriptor += kImportDescriptorSize) {
    uint32_t timeDateStamp = 0;
    uint32_t nameAddress = 0;
    if (!bytes.Read32(descriptor + 4, timeDateStamp) || !bytes.Read32(descriptor + 12, nameAddress)) break;
    if (timeDateStamp == 0 && nameAddress == 0) break;
    uint64_t namePosition = 0;
    if (!MapAddress(sections, nameAddress, namePosition)) continue;
    std::wstring name;
    if (!bytes.ReadTerminated(namePosition, name)) break;
    names.push_back(name);
  }
  return names;
}
