#ifndef QUENDRA_TESTING_JAVA_JAVATESTENVIRONMENT_H
#define QUENDRA_TESTING_JAVA_JAVATESTENVIRONMENT_H

#include <jni.h>

// The one real JVM of a host test executable (a process can create only one),
// made before the first test and destroyed after the last. Its class path holds
// the Java test classes compiled by the build. Linking this object library into
// a test executable registers it.
namespace javatest {

// The environment of the thread that runs the tests (the VM's creating thread).
JNIEnv* Env();
JavaVM* Vm();

}  // namespace javatest

#endif
