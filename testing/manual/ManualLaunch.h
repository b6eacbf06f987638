#ifndef QUENDRA_TESTING_MANUAL_MANUALLAUNCH_H
#define QUENDRA_TESTING_MANUAL_MANUALLAUNCH_H

#include <string>
#include <vector>

// The folders in which the manual's examples are installed and run.
inline constexpr wchar_t kManualInstallFolder[] = L"C:\\Program Files (x86)\\Quendra 3";
inline constexpr wchar_t kManualRoamingFolder[] = L"C:\\Users\\Anna\\AppData\\Roaming";

// A file of the package or of the user, relative to the install folder or, below
// "roaming\", to the user's roaming folder.
struct PackageFile {
  std::wstring path;
  std::string content;
};

// What the launcher hands to the JVM for a package whose app\quendra3.cfg holds
// `configuration`, started with `arguments` after the program: the JVM options in
// order, then "main class: " and the class, then "argument: " and each argument of
// main, with the manual's folders in place of the test's. The package is loaded as
// the launch sequence loads it; the JVM library and the cache are not touched.
std::vector<std::wstring> LaunchView(const std::string& configuration, const std::vector<std::wstring>& arguments,
                                     const std::vector<PackageFile>& files);

#endif
