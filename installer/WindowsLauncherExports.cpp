// The native methods of the installer's class lv.tarsel.pennaroo.installer.WindowsLauncher.
#include <jni.h>
#include <windows.h>

#include <exception>
#include <string>

#include "ElevateAndWait.h"
#include "JniText.h"
#include "MailMessage.h"
#include "SendMail.h"
#include "Trace.h"

using pennaroo::JniStringArrayToList;
using pennaroo::JniStringToWide;

namespace {

void TraceSendArguments(const std::wstring& subject, const std::wstring& text,
                        size_t fileNames, size_t filePaths) {
  using pennaroo::WriteTraceLine;
  WriteTraceLine(L"sendMessage wSubject: " + std::to_wstring(subject.size()));
  WriteTraceLine(L"sendMessage wMessage: " + std::to_wstring(text.size()));
  WriteTraceLine(L"sendMessage wFileName: " + std::to_wstring(fileNames));
  WriteTraceLine(L"sendMessage wFilePath: " + std::to_wstring(filePaths));
}

jint SendMessageFromJava(JNIEnv* env, jstring subject, jstring message,
                         jobjectArray fileNames, jobjectArray filePaths) {
  std::wstring subjectText = JniStringToWide(env, subject);
  std::wstring messageText = JniStringToWide(env, message);
  std::vector<std::wstring> names = JniStringArrayToList(env, fileNames);
  std::vector<std::wstring> paths = JniStringArrayToList(env, filePaths);
  TraceSendArguments(subjectText, messageText, names.size(), paths.size());
  pennaroo::MailMessage mail(std::move(subjectText), std::move(messageText), std::move(names),
                             std::move(paths));
  const ULONG result = pennaroo::SendMailThroughMapi(*mail.Get());
  pennaroo::WriteTraceLine(L"sendMessage result: " + std::to_wstring(result));
  return static_cast<jint>(result);
}

}  // namespace

// Nothing thrown may reach the VM; the only thing that can be thrown here is a
// failed allocation.
extern "C" jint JNICALL Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait(
    JNIEnv* env, jobject, jstring command, jstring parameters, jstring workingDirectory) {
  try {
    return pennaroo::ElevateAndWait(JniStringToWide(env, command),
                                    JniStringToWide(env, parameters),
                                    JniStringToWide(env, workingDirectory));
  } catch (const std::exception&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

extern "C" jint JNICALL Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniSendMessage(
    JNIEnv* env, jobject, jstring subject, jstring message, jobjectArray fileNames,
    jobjectArray filePaths) {
  try {
    return SendMessageFromJava(env, subject, message, fileNames, filePaths);
  } catch (const std::exception&) {
    return static_cast<jint>(pennaroo::kMapiFailure);
  }
}
