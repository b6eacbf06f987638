#ifndef QUENDRA_CONFIG_ORDEREDTABLE_H
#define QUENDRA_CONFIG_ORDEREDTABLE_H

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// An insertion-ordered map from a wide-string key to a value that may hold a key
// several times. The first entry of a key wins: lookups and a replacing SetValue act
// on it, while counting, visiting and copying see every entry. Keys are compared
// exactly, code unit by code unit; nothing is trimmed, and the empty key is valid.
// Lookups are logarithmic in the number of distinct keys.
template <typename Value>
class OrderedTableOf {
 public:
  struct Entry {
    std::wstring key;
    Value value;
  };
  using const_iterator = typename std::vector<Entry>::const_iterator;

  OrderedTableOf() = default;
  // A copy, constructed or assigned, is a new table (duplicates off) with the
  // source's entries appended.
  OrderedTableOf(const OrderedTableOf& other) : entries(other.entries), index(other.index) {}
  OrderedTableOf& operator=(const OrderedTableOf& other) {
    if (this != &other) {
      OrderedTableOf copy(other);
      *this = std::move(copy);
    }
    return *this;
  }
  OrderedTableOf(OrderedTableOf&&) = default;
  OrderedTableOf& operator=(OrderedTableOf&&) = default;
  ~OrderedTableOf() = default;

  // Adds an entry at the end whatever allowDuplicates says.
  void Append(const std::wstring& key, Value value) {
    entries.push_back(Entry{key, std::move(value)});
    index.try_emplace(key, entries.size() - 1);
  }
  void Append(std::wstring&& key, Value value) {
    entries.push_back(Entry{std::move(key), std::move(value)});
    index.try_emplace(entries.back().key, entries.size() - 1);
  }

  // Replaces the value of the key's first entry, in place, unless duplicates are
  // allowed or the key is new: then appends. Always true.
  bool SetValue(const std::wstring& key, Value value) {
    if (!Replace(key, value)) Append(key, std::move(value));
    return true;
  }
  bool SetValue(std::wstring&& key, Value value) {
    if (!Replace(key, value)) Append(std::move(key), std::move(value));
    return true;
  }

  // False, with `value` untouched, when the key is absent.
  bool GetValue(const std::wstring& key, Value& value) const {
    const Value* found = Find(key);
    if (found == nullptr) return false;
    value = *found;
    return true;
  }

  bool ContainsKey(const std::wstring& key) const { return index.find(key) != index.end(); }

  // The value of the key's first entry, writable in place until the table next
  // grows; throws std::invalid_argument when the key is absent.
  Value& ValueOf(const std::wstring& key) {
    return const_cast<Value&>(static_cast<const OrderedTableOf*>(this)->ValueOf(key));
  }
  const Value& ValueOf(const std::wstring& key) const {
    const Value* found = Find(key);
    if (found == nullptr) throw std::invalid_argument("Key not found");
    return *found;
  }

  // The value of the key's first entry, or null when absent; valid until the table
  // next grows.
  Value* Find(const std::wstring& key) {
    return const_cast<Value*>(static_cast<const OrderedTableOf*>(this)->Find(key));
  }
  const Value* Find(const std::wstring& key) const {
    auto slot = index.find(key);
    return slot == index.end() ? nullptr : &entries[slot->second].value;
  }

  // Every entry's key in order, a repeated key as often as it occurs.
  std::vector<std::wstring> GetKeys() const {
    std::vector<std::wstring> keys;
    keys.reserve(entries.size());
    for (const Entry& entry : entries) keys.push_back(entry.key);
    return keys;
  }

  size_t Count() const { return entries.size(); }

  // Keeps the allowDuplicates setting.
  void Clear() {
    index.clear();
    entries.clear();
  }

  // Appends every entry of `other` in its order; nothing is replaced.
  void AppendTable(const OrderedTableOf& other) {
    if (&other == this) {
      OrderedTableOf copy(other);
      AppendTable(copy);
      return;
    }
    // Into an empty table the other's index holds for the copied entries as it
    // stands, which saves looking every key up again.
    if (entries.empty()) {
      entries = other.entries;
      index = other.index;
      return;
    }
    entries.reserve(entries.size() + other.entries.size());
    for (const Entry& entry : other.entries) Append(entry.key, entry.value);
  }

  bool GetAllowDuplicates() const { return allowDuplicates; }
  void SetAllowDuplicates(bool allow) { allowDuplicates = allow; }

  const_iterator begin() const { return entries.begin(); }
  const_iterator end() const { return entries.end(); }

 private:
  // Replaces the value of the key's first entry when duplicates are not allowed
  // and the key is there; the value is left as it was otherwise.
  bool Replace(const std::wstring& key, Value& value) {
    if (allowDuplicates) return false;
    Value* existing = Find(key);
    if (existing == nullptr) return false;
    *existing = std::move(value);
    return true;
  }

  std::vector<Entry> entries;
  // Each distinct key to the position of its first entry; positions never move
  // because entries are only appended or all cleared.
  std::map<std::wstring, size_t, std::less<>> index;
  bool allowDuplicates = false;
};

// The table of wide-string values that every configuration container, option list
// and argument list is made of.
class OrderedTable : public OrderedTableOf<std::wstring> {
 public:
  OrderedTable() = default;
  OrderedTable(const OrderedTableOf<std::wstring>& other) : OrderedTableOf(other) {}
  OrderedTable(OrderedTableOf<std::wstring>&& other) noexcept : OrderedTableOf(std::move(other)) {}
};

extern template class OrderedTableOf<std::wstring>;

#endif
