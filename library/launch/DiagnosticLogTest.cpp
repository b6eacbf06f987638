#include "launch/DiagnosticLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PlatformString.h"

namespace {

namespace fs = std::filesystem;

void SetProfile(const std::wstring* profile) {
#ifdef _WIN32
  std::wstring assignment = L"USERPROFILE=" + (profile != nullptr ? *profile : std::wstring());
  _wputenv(assignment.c_str());
#else
  if (profile == nullptr) {
    unsetenv("USERPROFILE");
  } else {
    setenv("USERPROFILE", PlatformString::WideStringToMultibyteString(*profile).c_str(), 1);
  }
#endif
}

// A user profile of its own for each test, written with backslashes on every system.
class DiagnosticLogTest : public testing::Test {
 protected:
  void SetUp() override {
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    native = fs::temp_directory_path() / ("quendra-log-" + std::to_string(stamp));
    fs::create_directories(native);
    profile = native.wstring();
    for (wchar_t& c : profile) {
      if (c == L'/') c = L'\\';
    }
    logFile = profile + L"\\.tarsel\\quendra3\\packager.log";
    SetProfile(&profile);
  }
  void TearDown() override {
    SetProfile(nullptr);
    std::error_code ignored;
    fs::remove_all(native, ignored);
  }
  void SwitchLoggingOn() { ASSERT_TRUE(WriteTextLines(logFile, {}, false)); }

  fs::path native;
  std::wstring profile;
  std::wstring logFile;
};

// "YYYY-MM-DD hh:mm:ss " then the rest; false when the line does not start so.
bool SplitTimeStamp(const std::string& line, std::string& rest) {
  const std::string shape = "dddd-dd-dd dd:dd:dd ";
  if (line.size() < shape.size()) return false;
  for (size_t i = 0; i < shape.size(); ++i) {
    bool digit = line[i] >= '0' && line[i] <= '9';
    if (shape[i] == 'd' ? !digit : line[i] != shape[i]) return false;
  }
  rest = line.substr(shape.size());
  return true;
}

TEST_F(DiagnosticLogTest, LinesHaveTimeStampSourceAndMessage) {
  SwitchLoggingOn();
  DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", 1u, L"-Xappcds:off");
  DiagnosticLog::WriteLog("JavaVirtualMachine::StartJVM", 439, "appargs size: %u", 0u);
  std::vector<std::wstring> lines = ReadTextLines(logFile);
  ASSERT_EQ(2u, lines.size());
  std::string first = PlatformString::WideStringToMultibyteString(lines[0]);
  std::string second = PlatformString::WideStringToMultibyteString(lines[1]);
  std::string rest;
  ASSERT_TRUE(SplitTimeStamp(first, rest)) << first;
  EXPECT_EQ("start_launcher() [95] main: [1] -Xappcds:off", rest);
  ASSERT_TRUE(SplitTimeStamp(second, rest)) << second;
  EXPECT_EQ("JavaVirtualMachine::StartJVM() [439] appargs size: 0", rest);
}

TEST_F(DiagnosticLogTest, WideArgumentsAreWrittenAsTheyAre) {
  SwitchLoggingOn();
  DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", 2u, L"100%s %d %");
  DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", 3u, L"J\u0101nis \u041D\u0430\u0442\u0430\u043B\u044C\u044F");
  std::vector<std::wstring> lines = ReadTextLines(logFile);
  ASSERT_EQ(2u, lines.size());
  EXPECT_THAT(lines[0], testing::EndsWith(L"main: [2] 100%s %d %"));
  EXPECT_THAT(lines[1], testing::EndsWith(L"main: [3] J\u0101nis \u041D\u0430\u0442\u0430\u043B\u044C\u044F"));
}

TEST_F(DiagnosticLogTest, WithoutTheFileNothingIsCreated) {
  DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", 0u, L"quendra3.exe");
  EXPECT_FALSE(FileExists(logFile));
  EXPECT_FALSE(FileExists(profile + L"\\.tarsel"));
}

TEST_F(DiagnosticLogTest, WithoutAProfileLoggingIsOff) {
  SwitchLoggingOn();
  SetProfile(nullptr);
  EXPECT_EQ("", DiagnosticLog::GetLogFileName());
  DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", 0u, L"quendra3.exe");
  EXPECT_TRUE(ReadTextLines(logFile).empty());
}

TEST_F(DiagnosticLogTest, LogFileLivesUnderTheProfile) {
  EXPECT_EQ(PlatformString::WideStringToMultibyteString(logFile), DiagnosticLog::GetLogFileName());
}

}  // namespace
