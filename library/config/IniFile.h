#ifndef QUENDRA_CONFIG_INIFILE_H
#define QUENDRA_CONFIG_INIFILE_H

#include <memory>
#include <string>
#include <vector>

#include "config/IPropertyContainer.h"
#include "config/ISectionalPropertyContainer.h"
#include "config/OrderedTable.h"
#include "platform/FileSystem.h"

// One section of an INI file: key/value entries in file order. Whether SetValue adds
// a further entry for a key or replaces its first one depends on how the section
// came into being.
class IniSectionData : public IPropertyContainer {
 public:
  explicit IniSectionData(bool allowDuplicates);
  // Holds exactly `entries`, in order; SetValue then replaces.
  explicit IniSectionData(OrderedTable entries);

  bool GetValue(const std::wstring& key, std::wstring& value) override;
  unsigned GetCount() override;
  // Always true.
  bool SetValue(const std::wstring& key, const std::wstring& value);
  bool SetValue(std::wstring&& key, std::wstring&& value);
  // One line per entry, in entry order: the key, "=" and the value as it is. In the
  // key "=" and the backslash are escaped, and a leading backslash keeps a key
  // beginning with ";", "#", "[" or "--add-exports" from being misread; a key
  // beginning with "--add-exports" without a value is written alone, as it stands.
  // The reader turns every line back into the same entry.
  std::vector<std::wstring> GetLines() const;

  const OrderedTable& GetEntries() const { return entries; }
  // Appends every entry; nothing is replaced.
  void AppendEntries(const OrderedTable& more) { entries.AppendTable(more); }

 private:
  OrderedTable entries;
};

// The sectioned configuration file: named sections in the order they first
// appeared, each a list of key/value entries. Reading and writing go through the
// platform's text file operations.
class IniFile : public ISectionalPropertyContainer {
 public:
  IniFile() = default;
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;
  ~IniFile() override;

  // Adds the file's sections and entries to this object. False, with the object
  // unchanged, when the file has no lines or its first line that is not a ";"
  // comment does not begin with "[".
  bool LoadFromFile(const std::wstring& fileName);
  // The same from lines as the platform's ReadTextLines gives them (no empty lines,
  // none beginning with "#").
  bool LoadFromLines(const std::vector<std::wstring>& lines);
  // Writes every section; true even when the file could not be written.
  bool SaveToFile(const std::wstring& fileName, bool perUserFile);
  // The same, answering whether the file now holds the sections and, when it does
  // not, the system's code for the failure.
  FileWriteResult WriteToFile(const std::wstring& fileName, bool perUserFile);
  // The lines SaveToFile writes: each section's header, its entries and an empty line.
  std::vector<std::wstring> GetLines() const;

  bool GetValue(const std::wstring& section, const std::wstring& key, std::wstring& value) override;
  bool ContainsSection(const std::wstring& section) override;
  bool GetSection(const std::wstring& section, OrderedTable& entries) override;

  // Into an existing section by its SetValue; otherwise a new section at the end
  // that keeps every entry of a repeated key.
  void Append(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  // Onto an existing section without replacing anything; otherwise a new section at
  // the end holding exactly `entries`, whose SetValue replaces.
  void AppendSection(const std::wstring& section, OrderedTable entries);
  // The section's SetValue (true) when it exists; otherwise Append and false.
  bool SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);

  // Section names in order.
  std::vector<std::wstring> GetSectionNames() const { return sections.GetKeys(); }

 private:
  IniSectionData* FindSection(const std::wstring& section) const;

  OrderedTableOf<std::unique_ptr<IniSectionData>> sections;
};

#endif
