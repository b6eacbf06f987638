#include "AnsiMessage.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fixtures/StrictUtf8Conversion.h"
#include "fixtures/TestSupport.h"

namespace {

std::string InAnsiCodePage(const wchar_t* text) {
  char converted[256] = {};
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, converted, sizeof(converted), nullptr, nullptr);
  return converted;
}

struct WideMessage {
  std::wstring subject = L"M\u00FCller \u0101";
  std::wstring text = L"Teksts";
  std::wstring path = L"C:\\docs\\a.edoc";
  std::wstring name = L"a.edoc";
  std::wstring recipientName = L"Anna";
  std::wstring recipientAddress = L"SMTP:anna@example.lv";
  BYTE entryId[3] = {1, 2, 3};
  int fileType = 0;
  MapiRecipDescW recipients[1] = {};
  MapiFileDescW files[1] = {};
  MapiMessageW message = {};

  WideMessage() {
    recipients[0] = {0, MAPI_TO, &recipientName[0], &recipientAddress[0], 3, entryId};
    files[0] = {0, 0, kNoPosition, &path[0], &name[0], &fileType};
    message.ulReserved = 0;
    message.lpszSubject = &subject[0];
    message.lpszNoteText = &text[0];
    message.flFlags = MAPI_RECEIPT_REQUESTED;
    message.nRecipCount = 1;
    message.lpRecips = recipients;
    message.nFileCount = 1;
    message.lpFiles = files;
  }
};

TEST(AnsiMessageTest, TextsGoToUtf8WhenTheClientSupportsItAndEverythingElseToAnsi) {
  for (bool utf8 : {true, false}) {
    SCOPED_TRACE(utf8);
    WideMessage wide;
    std::unique_ptr<AnsiMessage> copy;
    ASSERT_EQ(S_OK, ConvertMessageToAnsi(wide.message, utf8, copy));
    const MapiMessage& message = *copy->Get();
    EXPECT_EQ(utf8 ? "M\xC3\xBCller \xC4\x81" : InAnsiCodePage(L"M\u00FCller \u0101"),
              message.lpszSubject);
    EXPECT_STREQ("Teksts", message.lpszNoteText);
    EXPECT_EQ(utf8 ? 65001u : 0u, message.ulReserved);
    EXPECT_EQ(nullptr, message.lpszMessageType);
    EXPECT_EQ(nullptr, message.lpOriginator);
    EXPECT_EQ(static_cast<ULONG>(MAPI_RECEIPT_REQUESTED), message.flFlags);
    ASSERT_EQ(1u, message.nRecipCount);
    EXPECT_STREQ("Anna", message.lpRecips[0].lpszName);
    EXPECT_STREQ("SMTP:anna@example.lv", message.lpRecips[0].lpszAddress);
    EXPECT_EQ(static_cast<ULONG>(MAPI_TO), message.lpRecips[0].ulRecipClass);
    ASSERT_EQ(3u, message.lpRecips[0].ulEIDSize);
    EXPECT_EQ(0, memcmp(wide.entryId, message.lpRecips[0].lpEntryID, 3));
    EXPECT_NE(static_cast<void*>(wide.entryId), message.lpRecips[0].lpEntryID);
    ASSERT_EQ(1u, message.nFileCount);
    EXPECT_STREQ("C:\\docs\\a.edoc", message.lpFiles[0].lpszPathName);
    EXPECT_STREQ("a.edoc", message.lpFiles[0].lpszFileName);
    EXPECT_EQ(kNoPosition, message.lpFiles[0].nPosition);
    EXPECT_EQ(&wide.fileType, message.lpFiles[0].lpFileType);
  }
}

TEST(AnsiMessageTest, BrokenUtf16FailsTheWholeCopyOnlyWhenSentAsUtf8) {
  WideMessage wide;
  wide.subject = L"x\xD800y";
  wide.message.lpszSubject = &wide.subject[0];
  std::unique_ptr<AnsiMessage> copy;
  EXPECT_TRUE(FAILED(ConvertMessageToAnsi(wide.message, true, copy)));
  EXPECT_EQ(nullptr, copy);
  EXPECT_EQ(S_OK, ConvertMessageToAnsi(wide.message, false, copy));
}

TEST(AnsiMessageTest, AttachmentPathOutsideTheAnsiCodePageTakesItsShortPath) {
  ScratchFolder folder;
  const std::wstring existing = folder.File(L"\u6587\u4EF6 long name.pdf");
  std::ofstream(existing.c_str()) << "content";
  struct Case {
    std::wstring path;
    bool converts;
  };
  const Case kCases[] = {{existing, true}, {folder.File(L"\u6587\u4EF6 missing.pdf"), false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.converts);
    WideMessage wide;
    wide.path = c.path;
    wide.files[0].lpszPathName = &wide.path[0];
    std::unique_ptr<AnsiMessage> copy;
    const HRESULT result = ConvertMessageToAnsi(wide.message, false, copy);
    if (!c.converts) {
      EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), result);
      EXPECT_EQ(nullptr, copy);
      continue;
    }
    ASSERT_EQ(S_OK, result);
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetShortPathNameW(c.path.c_str(), shortPath, MAX_PATH));
    EXPECT_EQ(InAnsiCodePage(shortPath), copy->Get()->lpFiles[0].lpszPathName);
    EXPECT_EQ(std::string::npos, std::string(copy->Get()->lpFiles[0].lpszPathName).find('?'));
  }
}

// Short paths and scratch folders are plain ASCII.
std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

// Held to the rules of Windows for UTF-8, an ANSI code page of 65001 converts
// every path as it is; Latvian and Russian code pages convert their own letters
// and take the short path for the others'.
TEST(AnsiMessageTest, AttachmentPathsConvertInTheAnsiCodePageInForceUtf8Included) {
  StrictUtf8Conversion strict;
  ScratchFolder folder;
  const std::wstring latvian = L"R\u012Bga.edoc";
  const std::wstring russian = L"\u041C\u043E\u0441\u043A\u0432\u0430.pdf";
  for (const std::wstring& name : {latvian, russian}) {
    std::ofstream(folder.File(name).c_str()) << "content";
  }
  struct Case {
    UINT codePage;
    std::wstring name;
    const char* convertedName;  // null when the short path is to be taken
  };
  const Case kCases[] = {
      {65001, latvian, "R\xC4\xABga.edoc"},
      {65001, russian, "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.pdf"},
      {1257, latvian, "R\xEEga.edoc"},
      {1257, russian, nullptr},
      {1251, latvian, nullptr},
      {1251, russian, "\xCC\xEE\xF1\xEA\xE2\xE0.pdf"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.codePage << " " << (c.name == latvian ? "lv" : "ru"));
    WideMessage wide;
    wide.path = folder.File(c.name);
    wide.files[0].lpszPathName = &wide.path[0];
    std::unique_ptr<AnsiMessage> copy;
    ASSERT_EQ(S_OK, ConvertMessageToAnsi(wide.message, false, copy, c.codePage));
    std::string expected;
    if (c.convertedName != nullptr) {
      expected = Narrow(folder.Path()) + "\\" + c.convertedName;
    } else {
      wchar_t shortPath[MAX_PATH] = {};
      ASSERT_NE(0u, ::GetShortPathNameW(wide.path.c_str(), shortPath, MAX_PATH));
      expected = Narrow(shortPath);
    }
    EXPECT_EQ(expected, copy->Get()->lpFiles[0].lpszPathName);
  }
  EXPECT_EQ(0, strict.RefusedCalls());
}

// A lone surrogate has no UTF-8 form: like any character the code page cannot
// hold, it sends the path to its short form instead of to a replacement character.
TEST(AnsiMessageTest, PathWithALoneSurrogateHasNoUtf8Form) {
  StrictUtf8Conversion strict;
  ScratchFolder folder;
  WideMessage wide;
  wide.path = folder.File(L"x\xD800y.pdf");
  wide.files[0].lpszPathName = &wide.path[0];
  std::unique_ptr<AnsiMessage> copy;
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
            ConvertMessageToAnsi(wide.message, false, copy, CP_UTF8));
  EXPECT_EQ(nullptr, copy);
  EXPECT_EQ(0, strict.RefusedCalls());
}

}  // namespace
