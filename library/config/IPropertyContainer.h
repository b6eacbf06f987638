#ifndef QUENDRA_CONFIG_IPROPERTYCONTAINER_H
#define QUENDRA_CONFIG_IPROPERTYCONTAINER_H

#include <string>

// Read access to a flat list of key/value entries.
class IPropertyContainer {
 public:
  virtual ~IPropertyContainer() = default;
  // The value of the key's first entry; false, with `value` untouched, when absent.
  virtual bool GetValue(const std::wstring& key, std::wstring& value) = 0;
  // Number of entries, repeated keys included.
  virtual unsigned GetCount() = 0;
};

#endif
