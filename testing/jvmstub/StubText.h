#ifndef QUENDRA_TESTING_JVMSTUB_STUBTEXT_H
#define QUENDRA_TESTING_JVMSTUB_STUBTEXT_H

#include <string>

// The stand-in's own text conversions, written apart from the launcher's so that a
// fault in one cannot hide a fault in the other.
namespace stub {

// Modified UTF-8 as the VM reads it. Returns false on a malformed sequence (a
// four-byte form, a bare zero byte inside the count, a cut-off sequence); the real
// VM's behaviour is undefined there, so the stand-in reports it.
bool DecodeModifiedUtf8(const char* bytes, size_t count, std::u16string& units);
std::string EncodeModifiedUtf8(const std::u16string& units);

// Standard UTF-8 of UTF-16 text, surrogate pairs joined; for the record.
std::string ToUtf8(const std::u16string& units);
std::u16string FromUtf8(const std::string& bytes);

// A record field: control characters and "%" are written as %XX so that every
// record stays on one line.
std::string Escape(const std::string& bytes);

}  // namespace stub

#endif
