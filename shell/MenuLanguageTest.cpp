// The menu texts in the language of the run: QUENDRA_EXPECTED_LANGUAGE names it
// (en, lv or ru), and the run's locale must give the matching language id.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "fixtures/ShellHost.h"
#include "fixtures/TestSupport.h"
#include "platform/WindowsHandles.h"

namespace {

struct Language {
  const char* code;
  std::vector<std::wstring> texts;  // offsets 0 to 4
};

const Language kLanguages[] = {
    {"en",
     {L"New with Quendra", L"Batch with Quendra", L"Sign as eDoc", L"Sign as PDF",
      L"Extract content"}},
    {"lv",
     {L"Jauns dokuments Quendra", L"Parakstīt atsevišķi Quendra", L"Parakstīt kā eDoc",
      L"Parakstīt kā PDF", L"Izvilkt saturu"}},
    {"ru",
     {L"Новый документ с Quendra", L"Подписать отдельно с Quendra", L"Подписать как eDoc",
      L"Подписать как PDF", L"Распаковать содержимое"}},
};

const Language& ExpectedLanguage() {
  const char* code = std::getenv("QUENDRA_EXPECTED_LANGUAGE");
  for (const Language& language : kLanguages) {
    if (code != nullptr && std::string(code) == language.code) return language;
  }
  return kLanguages[0];
}

TEST(MenuLanguageTest, ItemsCarryTheTextsOfTheUsersLanguage) {
  const Language& language = ExpectedLanguage();
  LANGID id = ::GetUserDefaultLangID();
  const std::string code = language.code;
  if (code == "lv") {
    ASSERT_EQ(0x0426, id);
  } else if (code == "ru") {
    ASSERT_EQ(0x0419, id);
  } else {
    ASSERT_TRUE(id != 0x0426 && id != 0x0419) << std::hex << id;
  }

  RegistrationScope registration(RegistrationScope::Scope::Machine);
  ASSERT_EQ(0u, registration.RegisterExitCode());
  ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  ScratchDirectory scratch;
  const std::vector<std::vector<std::wstring>> kSelections = {
      {scratch.File(L"x.edoc")},                          // offsets 0, 2, 4
      {scratch.File(L"a.pdf"), scratch.File(L"b.pdf")},  // offsets 0, 1, 2, 3
  };
  for (const auto& selection : kSelections) {
    HandlerDriver handler;
    ASSERT_HRESULT_SUCCEEDED(handler.Create());
    ASSERT_EQ(S_OK, handler.Initialize(selection));
    UniqueMenu menu(::CreatePopupMenu());
    ASSERT_HRESULT_SUCCEEDED(handler.Menu()->QueryContextMenu(menu.get(), 0, 10, 60, CMF_NORMAL));
    MenuEntry submenu = ReadMenuEntry(menu.get(), 0);
    EXPECT_EQ(L"Quendra 3.0", submenu.text);
    for (const MenuEntry& item : ReadMenuEntries(submenu.submenu)) {
      EXPECT_EQ(language.texts.at(item.id - 10), item.text) << "offset " << item.id - 10;
    }
  }
  ::CoUninitialize();
}

// The message box itself is seen through Wine's relay trace by check-message-box.sh,
// which finds the owner window in the line printed here.
TEST(MenuLanguageTest, SelectionTooLargeForOneCommandLineStartsNothing) {
  RegistrationScope registration(RegistrationScope::Scope::Machine);
  ASSERT_EQ(0u, registration.RegisterExitCode());
  InstallationRecordScope installation;
  InstallationRecordScope::Write(HKEY_LOCAL_MACHINE, FixtureDirectory());
  ScratchDirectory scratch;
  std::wstring recordFile = scratch.Path() + L"\\record.txt";
  ::SetEnvironmentVariableW(L"QUENDRA_COMMAND_RECORD", recordFile.c_str());
  std::vector<std::wstring> selection;
  std::size_t padding = 259 - scratch.Path().size() - 1 - 9;
  for (int index = 0; index < 300; ++index) {
    selection.push_back(scratch.File(std::to_wstring(10000 + index) + std::wstring(padding, L'n') +
                                     L".pdf"));
  }
  // It stands for the Explorer window the command is invoked from; a message-only
  // window, since without a display no other kind can be made.
  UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"Explorer", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                       nullptr, nullptr, nullptr));
  ASSERT_TRUE(owner.valid());
  std::printf("owner window %08llx\n",
              static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(owner.get())));
  std::fflush(stdout);

  ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  {
    HandlerDriver handler;
    ASSERT_HRESULT_SUCCEEDED(handler.Create());
    ASSERT_EQ(S_OK, handler.Initialize(selection));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE), handler.Invoke(2, owner.get()));
  }
  ::CoUninitialize();
  EXPECT_TRUE(WaitForRecordedArguments(recordFile, 3000).empty());
  ::SetEnvironmentVariableW(L"QUENDRA_COMMAND_RECORD", nullptr);
}

}  // namespace
