// The native methods of the installer's class lv.tarsel.pennaroo.installer.WindowsLauncher.
#include <jni.h>
#include <windows.h>

#include <new>
#include <string>
#include <utility>
#include <vector>

#include "ElevateAndWait.h"
#include "JniText.h"
#include "MailMessage.h"
#include "SendMail.h"
#include "Trace.h"

namespace {

// A string the VM cannot hand out means it is out of memory; the copy stops at
// once, since most JNI calls are forbidden while its exception is pending.
jint ElevateFromJava(JNIEnv* env, jstring command, jstring parameters,
                     jstring workingDirectory) {
  std::wstring commandText;
  std::wstring parametersText;
  std::wstring folderText;
  if (!JniStringToWide(env, command, commandText) ||
      !JniStringToWide(env, parameters, parametersText) ||
      !JniStringToWide(env, workingDirectory, folderText)) {
    return ElevateFailed(ERROR_NOT_ENOUGH_MEMORY);
  }
  return ElevateAndWait(commandText, parametersText, folderText);
}

void TraceSendArguments(const std::wstring& subject, const std::wstring& text,
                        size_t fileNames, size_t filePaths) {
  WriteTraceLine(L"sendMessage wSubject: ", subject.size());
  WriteTraceLine(L"sendMessage wMessage: ", text.size());
  WriteTraceLine(L"sendMessage wFileName: ", fileNames);
  WriteTraceLine(L"sendMessage wFilePath: ", filePaths);
}

jint SendFailed() noexcept {
  WriteTraceLine(L"sendMessage result: ", kMapiFailure);
  return static_cast<jint>(kMapiFailure);
}

jint SendMessageFromJava(JNIEnv* env, jstring subject, jstring message,
                         jobjectArray fileNames, jobjectArray filePaths) {
  std::wstring subjectText;
  std::wstring messageText;
  std::vector<std::wstring> names;
  std::vector<std::wstring> paths;
  if (!JniStringToWide(env, subject, subjectText) || !JniStringToWide(env, message, messageText) ||
      !JniStringArrayToList(env, fileNames, names) ||
      !JniStringArrayToList(env, filePaths, paths)) {
    return SendFailed();
  }
  TraceSendArguments(subjectText, messageText, names.size(), paths.size());
  MailMessage mail(std::move(subjectText), std::move(messageText), std::move(names),
                   std::move(paths));
  const ULONG result = SendMailThroughMapi(*mail.Get());
  WriteTraceLine(L"sendMessage result: ", result);
  return static_cast<jint>(result);
}

}  // namespace

// Nothing thrown may unwind into the VM's frames: that would end the installer.
// A failed allocation and anything else thrown end the call with its failure
// result and the trace line that closes a failed call.
extern "C" jint JNICALL Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait(
    JNIEnv* env, jobject, jstring command, jstring parameters, jstring workingDirectory) {
  try {
    return ElevateFromJava(env, command, parameters, workingDirectory);
  } catch (const std::bad_alloc&) {
    return ElevateFailed(ERROR_NOT_ENOUGH_MEMORY);
  } catch (...) {
    return ElevateFailed(ERROR_INTERNAL_ERROR);
  }
}

extern "C" jint JNICALL Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniSendMessage(
    JNIEnv* env, jobject, jstring subject, jstring message, jobjectArray fileNames,
    jobjectArray filePaths) {
  try {
    return SendMessageFromJava(env, subject, message, fileNames, filePaths);
  } catch (...) {
    return SendFailed();
  }
}
