#ifndef QUENDRA_TESTING_JVMSTUB_STUBVM_H
#define QUENDRA_TESTING_JVMSTUB_STUBVM_H

#include <jni.h>

#include "StubHeap.h"

namespace stub {

// The function table that every JNIEnv of the stand-in carries.
const JNINativeInterface_* FunctionTable();

// What the stand-in's "Java" does when a static main(String[]) is called.
void RunMain(ThreadState& thread, Object* mainClass, jobject arguments);

void Throw(ThreadState& thread, const std::string& className, const std::string& message);

}  // namespace stub

#endif
