// Copies of the strings and string arrays that Java hands to the installer library.
#ifndef PENNAROO_JNI_TEXT_H
#define PENNAROO_JNI_TEXT_H

#include <jni.h>

#include <string>
#include <vector>

namespace pennaroo {

// A null reference gives an empty text. The copy ends at the first NUL character,
// and never reaches past the string's length.
std::wstring JniStringToWide(JNIEnv* env, jstring text);

// A null array gives an empty list; a null element gives an empty text. The
// local reference of each element is released once the element is copied.
std::vector<std::wstring> JniStringArrayToList(JNIEnv* env, jobjectArray array);

}  // namespace pennaroo

#endif
