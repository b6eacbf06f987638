#ifndef QUENDRA_PLATFORM_PLATFORMSTRING_H
#define QUENDRA_PLATFORM_PLATFORMSTRING_H

#include <jni.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The launcher library's one narrow/wide string. The narrow form is UTF-8 (towards
// files, symbol names and numbers); the wide form is UTF-16 on Windows and the
// code points themselves where wchar_t is 32 bits wide. Both buffers are owned.
class PlatformString {
 public:
  PlatformString() = default;
  explicit PlatformString(const wchar_t* text);
  explicit PlatformString(const std::wstring& text);
  // Takes the characters of a Java string. A null environment gives an empty string;
  // a failing JNI call or a pending Java exception throws a JavaException without
  // a message (the Java exception stays pending).
  PlatformString(JNIEnv* env, jstring text);
  explicit PlatformString(uint32_t number);
  PlatformString(const PlatformString&) = delete;
  PlatformString& operator=(const PlatformString&) = delete;
  ~PlatformString();

  // The narrow form, or null when there is none.
  const char* c_str() const;
  // Bytes of the narrow form: with the terminator when converted from wide text,
  // without it when taken from a Java string or a number.
  size_t length() const;
  // The wide form, made anew on every call and valid until the next call; null
  // when there is no narrow form.
  const wchar_t* toWideString();
  std::wstring toWString();

  // Replaces each "%s" of the format, from the left, by the next argument; the
  // search starts again at the beginning after every replacement.
  static std::wstring Format(const std::wstring& format, const std::vector<std::wstring>& arguments);
  template <typename... Args>
  static std::wstring Format(const std::wstring& format, const Args&... arguments) {
    return Format(format, std::vector<std::wstring>{std::wstring(arguments)...});
  }

  // UTF-8 of the text, without a terminator; empty (and logged) when it cannot be
  // converted.
  static std::string WideStringToMultibyteString(const std::wstring& text);
  // UTF-8 to wide text; invalid sequences become U+FFFD.
  static std::wstring MultibyteStringToWideString(const std::string& text);
  static std::wstring MultibyteStringToWideString(const char* bytes, size_t count);
  // The JVM's modified UTF-8 (NUL as C0 80, a supplementary character as two
  // three-byte surrogates): what NewStringUTF and FindClass expect.
  static std::string WideStringToModifiedUtf8(const std::wstring& text);
  static std::wstring ModifiedUtf8ToWideString(const char* bytes, size_t count);

 private:
  std::unique_ptr<char[]> data;
  size_t dataLength = 0;
  std::unique_ptr<wchar_t[]> wide;
};

#endif
