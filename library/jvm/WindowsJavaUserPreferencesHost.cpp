#include "jvm/WindowsJavaUserPreferences.h"

// The native test build has no registry: there are never any preferences.

WindowsJavaUserPreferences::~WindowsJavaUserPreferences() = default;

bool WindowsJavaUserPreferences::LoadOptions(const std::wstring&) {
  return false;
}
