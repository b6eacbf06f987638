#ifndef QUENDRA_JVM_JNILOCALREF_H
#define QUENDRA_JVM_JNILOCALREF_H

#include <jni.h>

// Owns one JNI local reference of the current thread and deletes it when it goes.
// DeleteLocalRef is allowed with a Java exception pending, so this is safe on
// every failure path.
class JniLocalRef {
 public:
  JniLocalRef(JNIEnv* env, jobject ref) : env(env), ref(ref) {}
  JniLocalRef(const JniLocalRef&) = delete;
  JniLocalRef& operator=(const JniLocalRef&) = delete;
  ~JniLocalRef() {
    if (ref != nullptr) env->DeleteLocalRef(ref);
  }

  jobject get() const { return ref; }

 private:
  JNIEnv* env;
  jobject ref;
};

#endif
