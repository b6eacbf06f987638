#ifndef QUENDRA_JVM_EXCEPTION_H
#define QUENDRA_JVM_EXCEPTION_H

#include <jni.h>

#include <exception>
#include <string>

// The launcher's own failures that must leave several levels at once. The text is
// in `message`; every catcher reads it (what() keeps the standard default).
class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  ~Exception() override;

  std::wstring message;
};

// A failed JNI call. Made with an environment, it takes the pending Java exception
// (a local reference of the calling thread, not released here) and clears it; made
// without arguments, it leaves a pending Java exception pending.
class JavaException : public Exception {
 public:
  JavaException();
  JavaException(JNIEnv* env, std::wstring message);
  ~JavaException() override;

  jthrowable javaThrowable = nullptr;
  JNIEnv* env = nullptr;
};

// A file the launch cannot do without, such as the class-data-sharing cache.
class FileNotFoundException : public Exception {
 public:
  explicit FileNotFoundException(std::wstring message);
  ~FileNotFoundException() override;
};

// Writes what the exception being handled says about itself to the diagnostic log:
// the launcher's message, the standard what(), or that its kind is unknown. Never
// throws, not even when memory has run out. Call it only inside a catch block.
void LogCaughtException(const char* function, int line) noexcept;

#endif
