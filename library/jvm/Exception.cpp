#include "jvm/Exception.h"

#include <utility>

Exception::Exception(std::wstring message) : message(std::move(message)) {}
Exception::~Exception() = default;

JavaException::JavaException() : Exception(std::wstring()) {}

JavaException::JavaException(JNIEnv* env, std::wstring message)
    : Exception(std::move(message)), env(env) {
  if (env != nullptr) {
    javaThrowable = env->ExceptionOccurred();
    env->ExceptionClear();
  }
}

JavaException::~JavaException() = default;

FileNotFoundException::FileNotFoundException(std::wstring message) : Exception(std::move(message)) {}
FileNotFoundException::~FileNotFoundException() = default;
