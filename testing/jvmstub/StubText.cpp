#include "StubText.h"

#include <cstdio>

namespace stub {

namespace {

int ContinuationCount(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 1;
  if ((lead & 0xF0) == 0xE0) return 2;
  return -1;
}

void AppendUtf8(uint32_t c, std::string& out) {
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

}  // namespace

bool DecodeModifiedUtf8(const char* bytes, size_t count, std::u16string& units) {
  const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes);
  units.clear();
  for (size_t i = 0; i < count;) {
    unsigned char lead = in[i++];
    if (lead == 0) return false;
    if (lead < 0x80) {
      units += static_cast<char16_t>(lead);
      continue;
    }
    int extra = ContinuationCount(lead);
    if (extra < 0 || i + extra > count) return false;
    uint32_t c = lead & (extra == 1 ? 0x1F : 0x0F);
    for (int k = 0; k < extra; ++k, ++i) {
      if ((in[i] & 0xC0) != 0x80) return false;
      c = (c << 6) | (in[i] & 0x3F);
    }
    units += static_cast<char16_t>(c);
  }
  return true;
}

std::string EncodeModifiedUtf8(const std::u16string& units) {
  std::string out;
  for (char16_t unit : units) {
    if (unit == 0) {
      out += "\xC0\x80";
    } else {
      AppendUtf8(unit, out);
    }
  }
  return out;
}

std::string ToUtf8(const std::u16string& units) {
  std::string out;
  for (size_t i = 0; i < units.size(); ++i) {
    uint32_t c = units[i];
    bool high = c >= 0xD800 && c < 0xDC00;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    }
    AppendUtf8(c, out);
  }
  return out;
}

std::u16string FromUtf8(const std::string& bytes) {
  std::u16string out;
  const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t i = 0; i < bytes.size();) {
    unsigned char lead = in[i++];
    int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
    uint32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 0; k < extra && i < bytes.size(); ++k) c = (c << 6) | (in[i++] & 0x3F);
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string Escape(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c < 0x20 || c == '%' || c == 0x7F) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", c);
      out += code;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace stub
