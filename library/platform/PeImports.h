#ifndef QUENDRA_PLATFORM_PEIMPORTS_H
#define QUENDRA_PLATFORM_PEIMPORTS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The DLL names of a PE32 image's import directory, as stored (case kept, no path),
// in descriptor order; each byte of a name becomes one character.
//
// The headers are read as PE32: the import directory's address is taken 0x80 bytes
// after the PE signature, which in a PE32+ image is the reserved LoaderFlags field
// (zero), so a 64-bit image has no imports here. Nothing outside [data, data + size)
// is read: an image cut short or with offsets pointing past its end gives the names
// read so far, or none. The walk also ends at the end of the section that holds the
// import directory, and at a name without a NUL in its first 260 bytes, so that the
// work and the answer stay in proportion to the image whatever its fields say.
std::vector<std::wstring> ReadImportedLibraryNames(const uint8_t* data, size_t size);

// The same for the file at `path`, read through a read-only mapping of the whole
// file. Empty when it cannot be opened or mapped, or is not a PE image.
std::vector<std::wstring> ListImportedLibraryNames(const std::wstring& path);

#endif
