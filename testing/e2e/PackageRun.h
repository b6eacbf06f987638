#ifndef QUENDRA_TESTING_E2E_PACKAGERUN_H
#define QUENDRA_TESTING_E2E_PACKAGERUN_H

#include <string>
#include <vector>

// An application package in a scratch folder, laid out as it is installed:
// quendra3.exe and lumapack.dll of this build, app\<config>, and a runtime folder
// whose bin\server\jvm.dll is the JVM stand-in.
class PackageRun {
 public:
  struct Result {
    unsigned long exitCode = ~0ul;
    // The texts of every message box, in order (the caption is left out).
    std::vector<std::string> messages;
    // The caption of each box, in the same order.
    std::vector<std::string> captions;
  };

  explicit PackageRun(const std::wstring& name);

  // A unique application identifier for this run, so that runs sharing the Wine
  // prefix never see each other's user files or caches.
  const std::string& Identifier() const { return identifier; }
  const std::wstring& Directory() const { return directory; }
  std::wstring RuntimeDirectory() const { return directory + L"\\runtime"; }
  // The user's roaming folder of this application.
  std::wstring UserDirectory() const;

  void WriteConfig(const std::string& text, const std::wstring& fileName = L"quendra3.cfg");
  void InstallStub(const std::string& stubConfig);
  void InstallStubIn(const std::wstring& runtime, const std::string& stubConfig);

  // Runs quendra3.exe with the arguments and waits for its end; a run that takes
  // longer than `timeoutMilliseconds` is ended with exit code 99.
  Result Launch(const std::wstring& arguments, unsigned long timeoutMilliseconds = 60000);
  // The stand-in's record, lines decoded; and the lines with a prefix, without it.
  std::vector<std::string> Record() const;
  std::vector<std::string> Lines(const std::string& prefix) const;
  void ClearRecord();

 private:
  std::wstring directory;
  std::string identifier;
  std::wstring recordDirectory;
};

#endif
