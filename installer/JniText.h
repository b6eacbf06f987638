#ifndef QUENDRA_INSTALLER_JNITEXT_H
#define QUENDRA_INSTALLER_JNITEXT_H

// Copies of the strings and string arrays that Java hands to the installer library.

#include <jni.h>

#include <string>
#include <vector>

// A null reference gives an empty text. The copy ends at the first NUL character,
// and never reaches past the string's length. Returns false when the VM could not
// hand out the characters; an exception may then be pending, so the caller must
// go back to Java without another JNI call.
bool JniStringToWide(JNIEnv* env, jstring text, std::wstring& copy);

// A null array gives an empty list; a null element gives an empty text. The
// local reference of each element is released once the element is copied.
// Returns false, without touching the elements after it, when an element could
// not be copied.
bool JniStringArrayToList(JNIEnv* env, jobjectArray array, std::vector<std::wstring>& list);

#endif
