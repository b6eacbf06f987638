// Machine-dependent JNI types for the Windows images (32-bit and 64-bit MinGW).
#ifndef QUENDRA_JNI_MD_H
#define QUENDRA_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
