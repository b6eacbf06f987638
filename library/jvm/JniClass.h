#ifndef QUENDRA_JVM_JNICLASS_H
#define QUENDRA_JVM_JNICLASS_H

#include <jni.h>

#include <string>

// A static method of a class; a plain value that borrows the class reference of the
// JniClass it came from and is valid only while that JniClass lives.
class JniStaticMethod {
 public:
  JniStaticMethod(JNIEnv* env, jmethodID methodId, jclass classRef);

  // Calls a void method. `count` only marks where the JNI arguments start. A Java
  // exception left by the method throws JavaException "error.invoking.method",
  // with the Java exception taken and cleared.
  void InvokeVoid(int count, ...);

 private:
  JNIEnv* env;
  jmethodID methodId;
  jclass classRef;
};

// A class looked up in the VM; owns its local class reference.
class JniClass {
 public:
  // `className` in slash form (com/example/App). A class the VM cannot find throws
  // JavaException "class.not.found" with the name, the Java exception cleared.
  JniClass(JNIEnv* env, const std::wstring& className);
  JniClass(const JniClass&) = delete;
  JniClass& operator=(const JniClass&) = delete;
  ~JniClass();

  // Throws JavaException "method.not.found" with the method and class names.
  JniStaticMethod FindStaticMethod(const std::wstring& name, const std::wstring& signature);

  // Deletes the class reference. Never throws; a Java exception pending at that
  // moment stays pending for the caller to see.
  void Release();

  jclass GetClassRef() const { return classRef; }

 private:
  JNIEnv* env;
  jclass classRef = nullptr;
  std::wstring className;
};

#endif
