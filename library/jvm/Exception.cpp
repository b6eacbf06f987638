#include "jvm/Exception.h"

#include <utility>

#include "launch/DiagnosticLog.h"

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

void LogCaughtException(const char* function, int line) noexcept {
  try {
    try {
      throw;
    } catch (const Exception& failure) {
      DiagnosticLog::WriteLog(function, line, "failed: %S", failure.message.c_str());
    } catch (const std::exception& failure) {
      DiagnosticLog::WriteLog(function, line, "failed: %s", failure.what());
    } catch (...) {
      DiagnosticLog::WriteLog(function, line, "failed: an exception of unknown type");
    }
  } catch (...) {
    // Describing and logging allocate; when that fails as well, the line is lost.
  }
}
