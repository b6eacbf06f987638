#include "launch/DiagnosticLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "launch/StartLauncher.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
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

#ifdef _WIN32
const std::string kLineEnd = "\r\n";
#else
const std::string kLineEnd = "\n";
#endif

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
  // The file as it lies on disk, line ends included.
  static std::string LogBytes(const fs::path& profileFolder) {
    std::ifstream file(profileFolder / ".tarsel" / "quendra3" / "packager.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

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

std::string LocalTimeNow() {
  std::time_t now = std::time(nullptr);
  char text[32] = {};
  std::strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S ", std::localtime(&now));
  return text;
}

// The stamp is the local time with the full year and months from 1, and each line
// ends as a text-mode file ends it.
TEST_F(DiagnosticLogTest, StampIsLocalTimeAndLineEndsAsText) {
  SwitchLoggingOn();
  std::string before = LocalTimeNow();
  DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", 0u, L"quendra3.exe");
  std::string after = LocalTimeNow();
  std::string log = LogBytes(native);
  std::string message = "start_launcher() [95] main: [0] quendra3.exe" + kLineEnd;
  ASSERT_EQ(before.size() + message.size(), log.size()) << log;
  EXPECT_LE(before, log.substr(0, before.size()));
  EXPECT_GE(after, log.substr(0, before.size()));
  EXPECT_EQ(message, log.substr(before.size()));
}

// A profile folder and an argument beyond the basic plane, both outside ASCII.
TEST_F(DiagnosticLogTest, NonAsciiProfileAndArgumentAreUtf8OnDisk) {
  std::wstring supplementary = sizeof(wchar_t) == 2 ? std::wstring{wchar_t(0xD83D), wchar_t(0xDD8A)}
                                                    : std::wstring(1, wchar_t(0x1F58A));
  std::wstring latvian = profile + L"\\J\u0101nis";
  ASSERT_TRUE(CreateDirectoryPath(latvian + L"\\.tarsel\\quendra3"));
  ASSERT_TRUE(WriteTextLines(latvian + L"\\.tarsel\\quendra3\\packager.log", {}, false));
  SetProfile(&latvian);
  DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", 4u, (L"pen " + supplementary).c_str());
  std::string log = LogBytes(native / fs::u8path("J\xC4\x81nis"));
  ASSERT_GE(log.size(), 20u) << log;
  EXPECT_EQ("start_launcher() [95] main: [4] pen \xF0\x9F\x96\x8A" + kLineEnd, log.substr(20));
}

TEST_F(DiagnosticLogTest, FolderWithoutTheFileStaysEmpty) {
  ASSERT_TRUE(CreateDirectoryPath(profile + L"\\.tarsel\\quendra3"));
  DiagnosticLog::WriteLog("start_launcher", 95, "main: [%u] %S", 0u, L"quendra3.exe");
  EXPECT_TRUE(fs::is_empty(native / ".tarsel" / "quendra3"));
}

// The argument loop of the launch writes one line per argument, the program included.
TEST_F(DiagnosticLogTest, LauncherFlagsLogEveryArgument) {
  SwitchLoggingOn();
  const wchar_t* arguments[] = {L"C:\\Quendra\\quendra3.exe", L"-Xapp:child", L"100% J\u0101nis.edoc"};
  Platform& platform = Platform::GetInstance();
  AppCDSMode mode = platform.GetAppCDSMode();
  EXPECT_FALSE(ReadLauncherFlags(platform, 3, arguments));
  platform.SetAppCDSMode(mode);
  std::vector<std::string> messages;
  for (const std::wstring& line : ReadTextLines(logFile)) {
    std::string rest;
    std::string narrow = PlatformString::WideStringToMultibyteString(line);
    EXPECT_TRUE(SplitTimeStamp(narrow, rest)) << narrow;
    messages.push_back(rest);
  }
  std::vector<std::string> expected = {"start_launcher() [95] main: [0] C:\\Quendra\\quendra3.exe",
                                       "start_launcher() [95] main: [1] -Xapp:child",
                                       "start_launcher() [95] main: [2] 100% J\xC4\x81nis.edoc"};
  EXPECT_EQ(expected, messages);
}

}  // namespace
