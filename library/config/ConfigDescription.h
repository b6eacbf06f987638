#ifndef QUENDRA_CONFIG_CONFIGDESCRIPTION_H
#define QUENDRA_CONFIG_CONFIGDESCRIPTION_H

#include <string>
#include <utility>
#include <vector>

#include "config/IniFile.h"
#include "config/OrderedTable.h"

// What an IniFile holds, section by section and entry by entry, in order: the form
// in which tests and the fuzzer compare configurations.
using Entries = std::vector<std::pair<std::wstring, std::wstring>>;
using Sections = std::vector<std::pair<std::wstring, Entries>>;

inline Entries EntriesOf(const OrderedTable& table) {
  Entries entries;
  for (const auto& entry : table) entries.emplace_back(entry.key, entry.value);
  return entries;
}

inline Sections SectionsOf(IniFile& file) {
  Sections sections;
  for (const std::wstring& name : file.GetSectionNames()) {
    OrderedTable entries;
    file.GetSection(name, entries);
    sections.emplace_back(name, EntriesOf(entries));
  }
  return sections;
}

#endif
