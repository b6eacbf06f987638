#include "jvm/JavaVirtualMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jvm/JvmOptionList.h"
#include "launch/PackageSettings.h"

namespace {

std::vector<std::string> Texts(JvmOptionList& list) {
  JavaVMOption* options = list.BuildOptionArray();
  std::vector<std::string> texts;
  for (size_t i = 0; i < list.GetCount(); ++i) texts.push_back(options[i].optionString);
  return texts;
}

PackageSettings SmallPackage() {
  PackageSettings settings;
  settings.classPath = L"C:\\p\\app\\main.jar";
  settings.appFilesDirectory = L"C:\\p\\app";
  settings.launcherDirectory = L"C:\\p";
  settings.appId = L"lv/app";
  return settings;
}

TEST(JavaVirtualMachineTest, UserEntriesAreJoinedByTheirEqualsSigns) {
  OrderedTable user;
  user.Append(L"-Xmx", L"512m");
  user.Append(L"-Dkey=", L"v");
  user.Append(L"-Dkey", L"=v");
  user.Append(L"-Dkey", L"v");
  user.Append(L"-Dempty=", L"");
  user.Append(L"=", L"x");
  JvmOptionList list;
  list.AddOptions(JavaVirtualMachine::PrepareUserOptions(user));
  EXPECT_EQ((std::vector<std::string>{"-Xmx512m", "-Dkey=v", "-Dkey=v", "-Dkeyv", "-Dempty", "=x"}), Texts(list));
}

TEST(JavaVirtualMachineTest, OptionsComeInTheirFixedOrder) {
  PackageSettings settings = SmallPackage();
  settings.jvmOptions.Append(L"-Dpkg", L"1");
  settings.jvmOptions.Append(L"-Dpkg", L"2");
  settings.hasMemorySize = 1;
  settings.memorySize = 1024;
  OrderedTable user;
  user.Append(L"-Xss", L"4m");
  JvmOptionList list;
  JavaVirtualMachine::AddPackageOptions(settings, user, list);
  EXPECT_EQ((std::vector<std::string>{"-Djava.class.path=C:\\p\\app\\main.jar", "-Djava.library.path=C:\\p\\app;C:\\p",
                                      "-Djava.launcher.path=C:\\p", "-Dapp.preferences.id=lv/app", "-Dpkg=1", "-Dpkg=2",
                                      "-Xss4m", "-Xmx1024m", "-Xms256m"}),
            Texts(list));
}

TEST(JavaVirtualMachineTest, HeapOptionsFollowTheMemorySize) {
  struct Case {
    int32_t has;
    uint64_t megabytes;
    std::vector<std::string> heap;
  };
  const Case kCases[] = {
      {1, 200, {"-Xmx200m", "-Xms200m"}},
      {1, 256, {"-Xmx256m", "-Xms256m"}},
      {1, 257, {"-Xmx257m", "-Xms256m"}},
      {1, 0, {"-Xmx0m", "-Xms0m"}},
      {0, 512, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.has << " " << c.megabytes);
    PackageSettings settings = SmallPackage();
    settings.hasMemorySize = c.has;
    settings.memorySize = c.megabytes;
    JvmOptionList list;
    JavaVirtualMachine::AddPackageOptions(settings, OrderedTable(), list);
    std::vector<std::string> texts = Texts(list);
    EXPECT_EQ(c.heap, std::vector<std::string>(texts.begin() + 4, texts.end()));
  }
}

}  // namespace
