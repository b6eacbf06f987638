// Arbitrary bytes as the lines of a configuration file, through the INI reader, the
// flat reader and conversion, and a write followed by a re-read.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/ConfigDescription.h"
#include "config/IniFile.h"
#include "config/LegacyConfig.h"
#include "config/OptionText.h"
#include "config/PropertyFile.h"
#include "platform/TextLines.h"

namespace {

using Lines = std::vector<std::wstring>;

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// The number of entry lines, counted the plain way: every line that is neither a
// ";" comment nor a header and follows a header with a name.
size_t ExpectedEntryCount(const Lines& lines) {
  size_t count = 0;
  bool inNamedSection = false;
  for (const std::wstring& line : lines) {
    if (!line.empty() && line[0] == L';') continue;
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
      inNamedSection = line.size() > 2;
      continue;
    }
    if (inNamedSection) ++count;
  }
  return count;
}

size_t EntryCount(IniFile& file) {
  size_t count = 0;
  for (const Sections::value_type& section : SectionsOf(file)) count += section.second.size();
  return count;
}

// A section without entries is written as a header alone, which reads back as
// nothing; every other section and entry must come back as it was.
Sections WithoutEmptySections(const Sections& sections) {
  Sections kept;
  for (const Sections::value_type& section : sections) {
    if (!section.second.empty()) kept.push_back(section);
  }
  return kept;
}

void CheckSavedFileReadsBack(IniFile& file) {
  Lines saved = file.GetLines();
  IniFile reread;
  bool loaded = reread.LoadFromLines(SplitTextLines(JoinTextLines(saved)));
  Sections original = WithoutEmptySections(SectionsOf(file));
  Check(loaded == !saved.empty(), "a saved file with sections reads as an INI file");
  Check(SectionsOf(reread) == original, "a saved file reads back the same sections and entries");
}

void CheckIniReading(const Lines& lines) {
  IniFile file;
  if (!file.LoadFromLines(lines)) {
    Check(file.GetSectionNames().empty(), "a rejected file adds nothing");
    return;
  }
  Check(EntryCount(file) == ExpectedEntryCount(lines), "every entry line becomes one entry");
  CheckSavedFileReadsBack(file);
}

void CheckFlatConversion(const Lines& lines) {
  PropertyFile properties;
  Check(properties.LoadFromLines(lines) == !lines.empty(), "a flat file with lines is read");
  Check(properties.GetCount() == lines.size(), "every flat line becomes one entry");
  for (const std::wstring& line : lines) {
    std::wstring value;
    Check(properties.GetValue(SplitNameValue(line).key, value), "every flat key is found");
  }
  IniFile converted;
  ConvertLegacyProperties(properties, converted);
  std::vector<std::wstring> names = converted.GetSectionNames();
  const Lines lists = {L"JVMOptions", L"JVMUserOptions", L"ArgOptions"};
  if (names.size() == 4) Check(names.front() == L"Application", "application keys come first");
  Check(names.size() >= 3 && Lines(names.end() - 3, names.end()) == lists, "the three list sections follow");
  CheckSavedFileReadsBack(converted);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Lines lines = SplitTextLines(std::string(reinterpret_cast<const char*>(data), size));
  CheckIniReading(lines);
  CheckFlatConversion(lines);
  return 0;
}
