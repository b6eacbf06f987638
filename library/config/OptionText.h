#ifndef QUENDRA_CONFIG_OPTIONTEXT_H
#define QUENDRA_CONFIG_OPTIONTEXT_H

#include <string>
#include <vector>

class OrderedTable;

// The text rules shared by the configuration formats, macro expansion and the JVM
// start.

struct KeyValue {
  std::wstring key;
  std::wstring value;
};

// One configuration line to key and value. The first unescaped "=" separates them;
// before it "\=" stands for "=", "\\" for a backslash and any other backslash is
// dropped; the value is taken verbatim. A line beginning with "--add-exports" is all
// key, as is a line without an unescaped "=".
KeyValue SplitNameValue(const std::wstring& line);

// Every occurrence of `search`, from the left, replaced by `replacement`; inserted
// text is not searched again. An empty `search` leaves the text as it is.
std::wstring ReplaceAll(const std::wstring& text, const std::wstring& search, const std::wstring& replacement);

// Full stops and backslashes to slashes: com.example.Main becomes com/example/Main.
std::wstring SeparatorsToSlashes(const std::wstring& text);

// "name=value", or the name alone when the value is empty.
std::wstring JoinNameValue(const std::wstring& name, const std::wstring& value);

// One JoinNameValue text per entry, in entry order, repeated keys included.
std::vector<std::wstring> TableToArgumentList(const OrderedTable& table);

#endif
