#ifndef QUENDRA_CONFIG_ISECTIONALPROPERTYCONTAINER_H
#define QUENDRA_CONFIG_ISECTIONALPROPERTYCONTAINER_H

#include <string>

class OrderedTable;

// Read access to a configuration made of named sections of key/value entries.
class ISectionalPropertyContainer {
 public:
  virtual ~ISectionalPropertyContainer() = default;
  // False, with `value` untouched, when the section or the key is absent.
  virtual bool GetValue(const std::wstring& section, const std::wstring& key, std::wstring& value) = 0;
  virtual bool ContainsSection(const std::wstring& section) = 0;
  // Appends the section's entries to `entries`; false, with `entries` untouched,
  // when the section is absent.
  virtual bool GetSection(const std::wstring& section, OrderedTable& entries) = 0;
};

#endif
