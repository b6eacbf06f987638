#include <jni.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "fixtures/FakeJniEnv.h"
#include "fixtures/TestSupport.h"

extern "C" jint JNICALL Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait(
    JNIEnv* env, jobject, jstring command, jstring parameters, jstring workingDirectory);

namespace {

std::u16string ToJava(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

std::wstring ExitFixture() { return ProgramFolder() + L"\\pennaroo_exit_fixture.exe"; }

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

// The record writes characters outside printable ASCII as escapes; these paths have none.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(ElevateAndWaitTest, ReturnsTheExitCodeOfTheProgramStartedWithItsParametersAndFolder) {
  struct Case {
    const wchar_t* parameters;
    jint expected;
  };
  const Case kCases[] = {
      {L"3 \"two words\"", 3},
      {L"0", 0},
      {L"-2", -2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.expected);
    FakeJniEnv jni;
    FixtureRecord record;
    ScratchFolder workingFolder;
    TraceCapture trace;
    const jint result = Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait(
        jni.Env(), nullptr, jni.NewString(ToJava(ExitFixture())),
        jni.NewString(ToJava(c.parameters)), jni.NewString(ToJava(workingFolder.Path())));
    EXPECT_EQ(c.expected, result);
    const std::vector<std::wstring> expectedTrace = {
        L"elevateAndWait wCommand: " + ExitFixture(),
        std::wstring(L"elevateAndWait wParameters: ") + c.parameters,
        L"elevateAndWait wWorkingDir: " + workingFolder.Path(),
        L"elevateAndWait result: " + std::to_wstring(c.expected),
    };
    EXPECT_EQ(expectedTrace, trace.Lines());
    const std::string arguments = c.expected == 3 ? "arguments [3] [two words]"
                                                  : "arguments [" + std::to_string(c.expected) + "]";
    EXPECT_EQ((std::vector<std::string>{arguments, "folder " + Narrow(workingFolder.Path())}),
              record.Lines());
    EXPECT_EQ(0, jni.PinnedCharacters());
  }
}

TEST(ElevateAndWaitTest, NullParametersAndFolderArePassedAsEmptyTexts) {
  FakeJniEnv jni;
  FixtureRecord record;
  TraceCapture trace;
  const jint result = Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait(
      jni.Env(), nullptr, jni.NewString(ToJava(ExitFixture())), nullptr, nullptr);
  EXPECT_EQ(0, result);
  const std::vector<std::wstring> expectedTrace = {
      L"elevateAndWait wCommand: " + ExitFixture(),
      L"elevateAndWait wParameters: ",
      L"elevateAndWait wWorkingDir: ",
      L"elevateAndWait result: 0",
  };
  EXPECT_EQ(expectedTrace, trace.Lines());
  // An empty folder starts the program in the caller's current folder.
  EXPECT_EQ((std::vector<std::string>{"arguments", "folder " + Narrow(CurrentFolder())}),
            record.Lines());
}

TEST(ElevateAndWaitTest, ProgramThatCannotStartGivesTheWindowsErrorAndTheErrorLine) {
  FakeJniEnv jni;
  ScratchFolder folder;
  const std::wstring missing = folder.File(L"missing.exe");
  TraceCapture trace;
  const jint result = Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait(
      jni.Env(), nullptr, jni.NewString(ToJava(missing)), jni.NewString(u"/quiet"), nullptr);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, result);
  const std::vector<std::wstring> expectedTrace = {
      L"elevateAndWait wCommand: " + missing,
      L"elevateAndWait wParameters: /quiet",
      L"elevateAndWait wWorkingDir: ",
      L"elevateAndWait error: 2",
  };
  EXPECT_EQ(expectedTrace, trace.Lines());
}

// Whatever stops one of the texts from being copied, the program is not started
// without it: the call ends with the error line, a failure code and no JNI call
// that a pending exception forbids.
TEST(ElevateAndWaitTest, ArgumentThatCannotBeCopiedStartsNothing) {
  using Fault = FakeJniEnv::CopyFault;
  struct FaultCase {
    Fault fault;
    jint expected;
  };
  const FaultCase kFaults[] = {
      {Fault::kOutOfMemory, ERROR_NOT_ENOUGH_MEMORY},
      {Fault::kNullWithoutException, ERROR_NOT_ENOUGH_MEMORY},
      {Fault::kThrowsBadAlloc, ERROR_NOT_ENOUGH_MEMORY},
      {Fault::kThrowsForeignException, ERROR_INTERNAL_ERROR},
  };
  ScratchFolder workingFolder;
  const std::u16string arguments[] = {ToJava(ExitFixture()), u"/quiet INSTALLDIR=C:\\x",
                                      ToJava(workingFolder.Path())};
  for (const FaultCase& f : kFaults) {
    for (const std::u16string& failing : arguments) {
      SCOPED_TRACE(testing::Message() << static_cast<int>(f.fault) << " "
                                      << std::string(failing.begin(), failing.end()));
      FakeJniEnv jni;
      jni.FailCopiesOf(failing, f.fault);
      FixtureRecord record;
      TraceCapture trace;
      const jint result = Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait(
          jni.Env(), nullptr, jni.NewString(arguments[0]), jni.NewString(arguments[1]),
          jni.NewString(arguments[2]));
      EXPECT_EQ(f.expected, result);
      EXPECT_EQ(std::vector<std::wstring>{L"elevateAndWait error: " + std::to_wstring(f.expected)},
                trace.Lines());
      EXPECT_EQ(std::vector<std::string>(), record.Lines());
      EXPECT_EQ(std::vector<std::string>(), jni.ForbiddenCalls());
      EXPECT_EQ(0, jni.PinnedCharacters());
    }
  }
}

}  // namespace
