// A user JVM options file that cannot be replaced, on the real file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "config/ScratchFolder.h"
#include "launch/AppPackage.h"
#include "launch/MacroExpander.h"
#include "platform/FileSystem.h"
#include "platform/PlatformString.h"
#include "platform/WindowsHandles.h"

namespace {

const std::vector<std::wstring> kOldFile = {L"[JVMUserOverrideOptions]", L"-Xmx=1g"};

// The diagnostic log of a profile of the test's own, switched on.
class LoggingProfile {
 public:
  LoggingProfile() : profile(folder / L"profile"), logFile(profile + L"\\.tarsel\\quendra3\\packager.log") {
    const wchar_t* old = _wgetenv(L"USERPROFILE");
    oldProfile = old != nullptr ? old : L"";
    _wputenv((L"USERPROFILE=" + profile).c_str());
    WriteTextLines(logFile, {}, false);
  }
  ~LoggingProfile() { _wputenv((L"USERPROFILE=" + oldProfile).c_str()); }
  LoggingProfile(const LoggingProfile&) = delete;
  LoggingProfile& operator=(const LoggingProfile&) = delete;

  // The messages of the log, without their time stamps.
  std::vector<std::wstring> Messages() const {
    std::vector<std::wstring> messages;
    for (const std::wstring& line : ReadTextLines(logFile)) messages.push_back(line.substr(20));
    return messages;
  }

 private:
  ScratchFolder folder;
  std::wstring profile;
  std::wstring logFile;
  std::wstring oldProfile;
};

// The system error of the logged line: its number, and whether the system's text
// for that number follows it.
bool SystemErrorOf(const std::wstring& message, const std::wstring& head, unsigned long& code) {
  if (message.compare(0, head.size(), head) != 0) return false;
  wchar_t* end = nullptr;
  code = std::wcstoul(message.c_str() + head.size(), &end, 10);
  std::wstring text = DescribeSystemError(code);
  return code != 0 && !text.empty() && std::wstring(end) == L" " + text;
}

// What stands in the way of the new file. `holder` keeps a handle for the time
// of the write.
struct Obstacle {
  const char* what;
  bool oldFile;  // a previous user file that must stay whole
  void (*apply)(const ScratchFolder& user, UniqueFileHandle& holder);
};

const Obstacle kObstacles[] = {
    {"held open without sharing", true,
     [](const ScratchFolder& user, UniqueFileHandle& holder) {
       holder.reset(CreateFileW((user / L"packager\\jvmuserargs.cfg").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
     }},
    {"a folder in its place", false,
     [](const ScratchFolder& user, UniqueFileHandle&) {
       CreateDirectoryPath(user / L"packager\\jvmuserargs.cfg");
     }},
    {"its folder is a file", false,
     [](const ScratchFolder& user, UniqueFileHandle&) { user.Write(L"packager", "not a folder"); }},
};

// The change still holds in the process, an old file stays whole, and one log line
// names the file and the system's error.
TEST(UserJvmOptionsWindowsTest, UnreplaceableUserFileIsLoggedAndKeptWhole) {
  for (const Obstacle& obstacle : kObstacles) {
    SCOPED_TRACE(obstacle.what);
    ScratchFolder user;
    std::wstring userFile = user / L"packager\\jvmuserargs.cfg";
    if (obstacle.oldFile) ASSERT_TRUE(WriteTextLines(userFile, kOldFile, true));
    LoggingProfile profile;
    MacroExpander macros;
    AppPackage package(Platform::GetInstance(), macros);
    package.userConfigFileName = userFile;
    package.userJvmOptionDefaults.Append(L"-Xmx", L"512m");
    OrderedTable values;
    values.Append(L"-Xmx", L"4g");
    {
      UniqueFileHandle holder;
      obstacle.apply(user, holder);
      package.SetUserJvmOptionOverrides(values);
    }
    if (obstacle.oldFile) EXPECT_EQ(kOldFile, ReadTextLines(userFile));
    std::wstring value;
    EXPECT_TRUE(package.CopyUserJvmOptions().GetValue(L"-Xmx", value));
    EXPECT_EQ(L"4g", value);
    std::vector<std::wstring> messages = profile.Messages();
    ASSERT_EQ(1u, messages.size());
    unsigned long code = 0;
    EXPECT_TRUE(SystemErrorOf(messages[0], L"WriteUserJvmOptionOverrides() [85] cannot replace " + userFile +
                                               L": system error ", code))
        << PlatformString::WideStringToMultibyteString(messages[0]);
  }
}

}  // namespace
