#ifndef QUENDRA_CONFIG_PROPERTYFILE_H
#define QUENDRA_CONFIG_PROPERTYFILE_H

#include <string>
#include <vector>

#include "config/IPropertyContainer.h"
#include "config/OrderedTable.h"

// The flat key=value container: a package configuration in the flat format, and the
// in-memory store of the message catalog. There is no writing to a file.
class PropertyFile : public IPropertyContainer {
 public:
  PropertyFile() = default;

  // Adds one entry per line of the file, repeated keys included. False, with the
  // object unchanged, when the file yields no line.
  bool LoadFromFile(const std::wstring& fileName);
  // The same from lines as the platform's ReadTextLines gives them.
  bool LoadFromLines(const std::vector<std::wstring>& lines);

  bool GetValue(const std::wstring& key, std::wstring& value) override;
  unsigned GetCount() override;
  // False, changing nothing, while read-only; otherwise replaces the value of the
  // key's first entry or appends a new one, and returns true.
  bool SetValue(const std::wstring& key, const std::wstring& value);
  void SetReadOnly(bool on) { readOnly = on; }

 private:
  bool readOnly = false;
  OrderedTable entries;
};

#endif
