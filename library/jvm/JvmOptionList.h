#ifndef QUENDRA_JVM_JVMOPTIONLIST_H
#define QUENDRA_JVM_JVMOPTIONLIST_H

#include <jni.h>

#include <memory>
#include <string>
#include <vector>

#include "config/OrderedTable.h"

struct JvmOptionEntry {
  std::wstring name;
  std::wstring value;
  void* extra = nullptr;
};

// The JVM options of one start, in the order added (duplicates kept), and the
// JavaVMOption array made from them. Owns the array and every option string.
class JvmOptionList {
 public:
  JvmOptionList();
  JvmOptionList(const JvmOptionList&) = delete;
  JvmOptionList& operator=(const JvmOptionList&) = delete;
  ~JvmOptionList();

  void AddOption(const std::wstring& name, const std::wstring& value);
  // One entry per table entry, in table order, repeated keys included.
  void AddOptions(const OrderedTable& table);

  // Each entry as "name=value" (the name alone for an empty value), macros
  // expanded, in UTF-8. Valid until the list is released or built again.
  JavaVMOption* BuildOptionArray();
  size_t GetCount() const { return entries.size(); }

 private:
  std::vector<JvmOptionEntry> entries;
  // The UTF-8 texts the options point into, each with its terminating NUL.
  std::vector<std::string> optionStrings;
  std::unique_ptr<JavaVMOption[]> options;
};

#endif
