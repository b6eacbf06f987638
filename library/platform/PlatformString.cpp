#include "platform/PlatformString.h"

#include <cstring>

#include "jvm/Exception.h"
#include "launch/DiagnosticLog.h"
#include "platform/PlatformStringConversion.h"

namespace {

const char16_t kReplacement = 0xFFFD;

// The text as UTF-16 code units, whatever the width of wchar_t.
std::u16string ToUtf16(const std::wstring& text) {
  std::u16string units;
  units.reserve(text.size());
  for (wchar_t w : text) {
    uint32_t c = static_cast<uint32_t>(w);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      units += static_cast<char16_t>(0xD800 + (c >> 10));
      units += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      units += c > 0x10FFFF ? kReplacement : static_cast<char16_t>(c);
    }
  }
  return units;
}

// UTF-16 code units back to wide text; where wchar_t holds code points, surrogate
// pairs are joined.
std::wstring FromUtf16(const std::u16string& units) {
  std::wstring text;
  text.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char16_t unit = units[i];
    bool pair = unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] < 0xE000;
    if (sizeof(wchar_t) == 4 && pair) {
      uint32_t c = 0x10000 + ((unit - 0xD800u) << 10) + (units[i + 1] - 0xDC00u);
      text += static_cast<wchar_t>(c);
      ++i;
    } else {
      text += static_cast<wchar_t>(unit);
    }
  }
  return text;
}

// One unit of modified UTF-8 at `i`: one, two or three bytes; U+0000 comes as C0 80.
char16_t DecodeModifiedUnit(const unsigned char* bytes, size_t count, size_t& i) {
  unsigned char lead = bytes[i++];
  if (lead < 0x80) return lead;
  int extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 0;
  if (extra == 0 || i + extra > count) return kReplacement;
  uint32_t c = lead & (extra == 1 ? 0x1F : 0x0F);
  for (int k = 0; k < extra; ++k) {
    if ((bytes[i + k] & 0xC0) != 0x80) return kReplacement;
    c = (c << 6) | (bytes[i + k] & 0x3F);
  }
  i += extra;
  return static_cast<char16_t>(c);
}

}  // namespace

PlatformString::PlatformString(const wchar_t* text)
    : PlatformString(std::wstring(text != nullptr ? text : L"")) {}

PlatformString::PlatformString(const std::wstring& text) {
  std::string utf8;
  if (!ConvertWideToUtf8(text, utf8)) {
    DiagnosticLog::WriteLog("PlatformString::WideStringToMultibyteString", 158, "failed: %S", text.c_str());
    return;
  }
  dataLength = utf8.size() + 1;
  data.reset(new char[dataLength]);
  std::memcpy(data.get(), utf8.c_str(), dataLength);
}

PlatformString::PlatformString(JNIEnv* env, jstring text) {
  if (env == nullptr) return;
  const char* chars = env->GetStringUTFChars(text, nullptr);
  if (chars == nullptr || env->ExceptionCheck()) throw JavaException();
  jsize count = env->GetStringUTFLength(text);
  bool failed = env->ExceptionCheck();
  std::wstring wide;
  if (!failed) wide = ModifiedUtf8ToWideString(chars, static_cast<size_t>(count));
  env->ReleaseStringUTFChars(text, chars);
  if (failed || env->ExceptionCheck()) throw JavaException();
  // Kept as standard UTF-8, so that the narrow form means the same whatever it
  // came from.
  std::string utf8 = WideStringToMultibyteString(wide);
  dataLength = utf8.size();
  data.reset(new char[dataLength + 1]);
  std::memcpy(data.get(), utf8.c_str(), dataLength + 1);
}

PlatformString::PlatformString(uint32_t number) {
  std::string digits = std::to_string(number);
  dataLength = digits.size();
  data.reset(new char[dataLength + 1]);
  std::memcpy(data.get(), digits.c_str(), dataLength + 1);
}

PlatformString::~PlatformString() = default;

const char* PlatformString::c_str() const {
  return data.get();
}

size_t PlatformString::length() const {
  return dataLength;
}

const wchar_t* PlatformString::toWideString() {
  wide.reset();
  if (data == nullptr) return nullptr;
  std::wstring text;
  if (!ConvertUtf8ToWide(std::string(data.get()), text)) return nullptr;
  wide.reset(new wchar_t[text.size() + 1]);
  std::memcpy(wide.get(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  return wide.get();
}

std::wstring PlatformString::toWString() {
  if (dataLength == 0) return {};
  const wchar_t* text = toWideString();
  return text != nullptr ? std::wstring(text) : std::wstring();
}

std::wstring PlatformString::Format(const std::wstring& format, const std::vector<std::wstring>& arguments) {
  std::wstring result = format;
  size_t next = 0;
  while (result.size() >= 2 && next < arguments.size()) {
    size_t at = result.find(L"%s");
    if (at == std::wstring::npos) break;
    result.replace(at, 2, arguments[next++]);
  }
  return result;
}

std::string PlatformString::WideStringToMultibyteString(const std::wstring& text) {
  std::string utf8;
  if (!ConvertWideToUtf8(text, utf8)) {
    DiagnosticLog::WriteLog("PlatformString::WideStringToMultibyteString", 158, "failed: %S", text.c_str());
    return {};
  }
  return utf8;
}

std::wstring PlatformString::MultibyteStringToWideString(const std::string& text) {
  return MultibyteStringToWideString(text.data(), text.size());
}

std::wstring PlatformString::MultibyteStringToWideString(const char* bytes, size_t count) {
  std::wstring wide;
  if (!ConvertUtf8ToWide(bytes, count, wide)) return {};
  return wide;
}

std::string PlatformString::WideStringToModifiedUtf8(const std::wstring& text) {
  std::string bytes;
  for (char16_t unit : ToUtf16(text)) {
    if (unit != 0 && unit < 0x80) {
      bytes += static_cast<char>(unit);
    } else if (unit < 0x800) {
      bytes += static_cast<char>(0xC0 | (unit >> 6));
      bytes += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | (unit >> 12));
      bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return bytes;
}

std::wstring PlatformString::ModifiedUtf8ToWideString(const char* bytes, size_t count) {
  const unsigned char* input = reinterpret_cast<const unsigned char*>(bytes);
  std::u16string units;
  units.reserve(count);
  for (size_t i = 0; i < count;) units += DecodeModifiedUnit(input, count, i);
  return FromUtf16(units);
}
