#ifndef QUENDRA_JVM_USERJVMOPTIONSBRIDGE_H
#define QUENDRA_JVM_USERJVMOPTIONSBRIDGE_H

#include <jni.h>

// The native methods of jdk.packager.services.userjvmoptions.LauncherUserJvmOptions,
// bound by the JVM from the library's export table. They work on the package's
// user JVM option tables; a change takes effect at the next launch. Nothing thrown
// leaves them: a failure answers null or changes nothing, and one that is not a
// JNI failure is written to the diagnostic log.
extern "C" {

jobjectArray JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultKeys(
    JNIEnv* env, jclass);
jstring JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultValue(
    JNIEnv* env, jclass, jstring key);
jobjectArray JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionKeys(
    JNIEnv* env, jclass);
jstring JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionValue(
    JNIEnv* env, jclass, jstring key);
// Replaces the user's choices; a null element of either array is taken as an empty text.
void JNICALL Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1setUserJvmKeysAndValues(
    JNIEnv* env, jclass, jobjectArray keys, jobjectArray values);

}

#endif
