#ifndef QUENDRA_JVM_WINDOWSJAVAUSERPREFERENCES_H
#define QUENDRA_JVM_WINDOWSJAVAUSERPREFERENCES_H

#include "jvm/JavaUserPreferences.h"

// The preferences as the Java runtime keeps them on Windows: the values of
// HKEY_CURRENT_USER\SOFTWARE\JavaSoft\Prefs\<encoded app id>\/J/V/M/User/Options,
// names and texts encoded. Outside Windows there are none.
class WindowsJavaUserPreferences : public JavaUserPreferences {
 public:
  ~WindowsJavaUserPreferences() override;

  // False, with `userOptions` unchanged, when the key cannot be opened. Otherwise
  // `userOptions` becomes the decoded values in registry order (repeated names
  // stay, names that decode to nothing are skipped) and the result tells whether
  // any was read.
  bool LoadOptions(const std::wstring& appId) override;
};

#endif
