#ifndef QUENDRA_JVM_JAVAUSERPREFERENCES_H
#define QUENDRA_JVM_JAVAUSERPREFERENCES_H

#include <string>

#include "config/OrderedTable.h"

// The JVM options that the Java side keeps in the application's Java user
// preferences. Only read here; the Java runtime writes them.
class JavaUserPreferences {
 public:
  JavaUserPreferences() = default;
  JavaUserPreferences(const JavaUserPreferences&) = delete;
  JavaUserPreferences& operator=(const JavaUserPreferences&) = delete;
  virtual ~JavaUserPreferences();

  // Reads the options of the application; true when at least one was read, and
  // `userOptions` then holds them.
  virtual bool LoadOptions(const std::wstring& appId) = 0;

  // Option name to value, empty until a load replaces it.
  OrderedTable userOptions;
};

// The Java preferences' name encoding: "/" is written as a backslash, a backslash
// as "//" and a capital A to Z as "/" followed by the letter. Stops at the first
// NUL character.
std::wstring EncodePrefsName(const std::wstring& name);
// The reverse: "/" before a capital gives the capital, "//" a backslash, a
// backslash "/"; a "/" before anything else is dropped with that character, and a
// trailing "/" is dropped.
std::wstring DecodePrefsName(const std::wstring& name);

#endif
