#include <cstdint>

#include "platform/PlatformStringConversion.h"

// Here wchar_t holds whole code points.

namespace {

const char32_t kReplacement = 0xFFFD;

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one sequence at `i`, moving past it; malformed input gives U+FFFD for
// its first byte.
char32_t DecodeUtf8(const char* s, size_t count, size_t& i) {
  unsigned char lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
  if (extra < 0 || i + extra > count) return kReplacement;
  char32_t c = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    unsigned char next = static_cast<unsigned char>(s[i + k]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    c = (c << 6) | (next & 0x3F);
  }
  static const char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return kReplacement;
  i += extra;
  return c;
}

}  // namespace

bool ConvertWideToUtf8(const std::wstring& text, std::string& utf8) {
  std::string out;
  for (wchar_t w : text) {
    char32_t c = static_cast<char32_t>(w);
    if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = kReplacement;
    AppendUtf8(c, out);
  }
  utf8 = std::move(out);
  return true;
}

bool ConvertUtf8ToWide(const char* bytes, size_t count, std::wstring& text) {
  std::wstring out;
  out.reserve(count);
  for (size_t i = 0; i < count;) out += static_cast<wchar_t>(DecodeUtf8(bytes, count, i));
  text = std::move(out);
  return true;
}
