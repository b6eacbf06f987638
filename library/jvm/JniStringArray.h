#ifndef QUENDRA_JVM_JNISTRINGARRAY_H
#define QUENDRA_JVM_JNISTRINGARRAY_H

#include <jni.h>

#include <string>
#include <vector>

class OrderedTable;

// A Java String[] made from wide strings. Owns nothing: the array is a local
// reference of the calling thread (the native frame owns it); the element strings
// are held by the array alone.
class JniStringArray {
 public:
  // One element per string, in order. Throws JavaException: with "Error" when the
  // VM cannot make or fill the array (Java exception cleared), without a message
  // when it cannot make a string (Java exception left pending).
  JniStringArray(JNIEnv* env, const std::vector<std::wstring>& strings);

  jobjectArray GetArrayRef() const { return arrayRef; }

 private:
  void Allocate(jsize count);
  void Store(jsize index, const std::wstring& text);

  JNIEnv* env;
  jobjectArray arrayRef = nullptr;
};

// The table's keys, in entry order and as often as they occur, as a String[];
// an empty table gives an empty array, not null. Throws as JniStringArray.
jobjectArray KeysToJavaArray(JNIEnv* env, const OrderedTable& table);

#endif
