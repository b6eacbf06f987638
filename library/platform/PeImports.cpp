#include "platform/PeImports.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

const uint16_t kDosSignature = 0x5A4D;      // "MZ"
const uint32_t kPeSignature = 0x00004550;   // "PE\0\0"
const uint64_t kPeOffsetField = 0x3C;
const uint64_t kImportDirectoryField = 0x80;
const uint64_t kFileHeaderSize = 20;
const uint64_t kSectionHeaderSize = 40;
const uint64_t kImportDescriptorSize = 20;
// A Windows loader takes no file name of MAX_PATH (260) characters or more; bytes
// that run that far without a NUL are no DLL name.
const uint64_t kLongestName = 259;

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

  // The bytes from `offset` up to the next NUL, which must come within `limit`
  // bytes; false when it does not, or the range ends first.
  bool ReadTerminated(uint64_t offset, uint64_t limit, std::wstring& text) const {
    if (offset >= size) return false;
    uint64_t end = offset + std::min(limit, size - offset);
    for (uint64_t at = offset; at < end; ++at) {
      if (data[at] == 0) {
        text.assign(data + offset, data + at);
        return true;
      }
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

// Where each virtual address lies in the file. Sections may overlap; the one that
// comes last in the table decides. The address space is cut into pieces at every
// section start and end, each piece knowing its deciding section, so that a lookup
// costs a binary search however many sections and descriptors an image has.
class SectionMap {
 public:
  explicit SectionMap(std::vector<Section> all) : sections(std::move(all)) {
    std::vector<std::pair<uint64_t, size_t>> edges;  // position, section index
    for (size_t index = 0; index < sections.size(); ++index) {
      if (sections[index].virtualSize == 0) continue;
      edges.emplace_back(sections[index].virtualAddress, index);
      edges.emplace_back(End(sections[index]), index);
    }
    std::sort(edges.begin(), edges.end());
    std::set<size_t> open;
    for (size_t at = 0; at < edges.size();) {
      uint64_t position = edges[at].first;
      for (; at < edges.size() && edges[at].first == position; ++at) Toggle(open, edges[at]);
      starts.push_back(position);
      owners.push_back(open.empty() ? kNone : *open.rbegin());
    }
  }

  // The section that holds the address; null when none does.
  const Section* Find(uint32_t address) const {
    auto after = std::upper_bound(starts.begin(), starts.end(), address);
    if (after == starts.begin()) return nullptr;
    size_t owner = owners[static_cast<size_t>(after - starts.begin()) - 1];
    return owner == kNone ? nullptr : &sections[owner];
  }

  bool MapAddress(uint32_t address, uint64_t& position) const {
    const Section* section = Find(address);
    if (section == nullptr) return false;
    position = address - section->virtualAddress + static_cast<uint64_t>(section->pointerToRawData);
    return true;
  }

  static uint64_t End(const Section& section) {
    return static_cast<uint64_t>(section.virtualAddress) + section.virtualSize;
  }

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // A section's start opens it, its end closes it.
  void Toggle(std::set<size_t>& open, const std::pair<uint64_t, size_t>& edge) const {
    if (edge.first == sections[edge.second].virtualAddress) {
      open.insert(edge.second);
    } else {
      open.erase(edge.second);
    }
  }

  std::vector<Section> sections;
  std::vector<uint64_t> starts;
  std::vector<size_t> owners;  // of the piece from starts[i] to starts[i + 1]
};

}  // namespace

std::vector<std::wstring> ReadImportedLibraryNames(const uint8_t* data, size_t size) {
  std::vector<std::wstring> names;
  ByteRange bytes(data, size);
  uint64_t peOffset = 0;
  uint32_t importDirectory = 0;
  if (data == nullptr || !FindPeHeader(bytes, peOffset)) return names;
  if (!bytes.Read32(peOffset + kImportDirectoryField, importDirectory) || importDirectory == 0) return names;
  SectionMap sections(ReadSections(bytes, peOffset));
  const Section* home = sections.Find(importDirectory);
  uint64_t descriptor = 0;
  if (home == nullptr || !sections.MapAddress(importDirectory, descriptor)) return names;
  // A real table lies inside its own section: the walk ends at the all-zero
  // descriptor, at the section's end, or where the range ends without one.
  uint64_t tableEnd = descriptor + (SectionMap::End(*home) - importDirectory);
  for (; descriptor + kImportDescriptorSize <= tableEnd; descriptor += kImportDescriptorSize) {
    uint32_t timeDateStamp = 0;
    uint32_t nameAddress = 0;
    if (!bytes.Read32(descriptor + 4, timeDateStamp) || !bytes.Read32(descriptor + 12, nameAddress)) break;
    if (timeDateStamp == 0 && nameAddress == 0) break;
    uint64_t namePosition = 0;
    if (!sections.MapAddress(nameAddress, namePosition)) continue;
    // A name that is cut off or runs on past any file name ends the walk: the
    // table is damaged from here on.
    std::wstring name;
    if (!bytes.ReadTerminated(namePosition, kLongestName + 1, name)) break;
    names.push_back(name);
  }
  return names;
}
