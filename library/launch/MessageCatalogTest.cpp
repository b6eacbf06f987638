#include "launch/MessageCatalog.h"

#include <gtest/gtest.h>

#include "platform/PlatformString.h"

namespace {

TEST(MessageCatalogTest, HoldsTheEightTexts) {
  struct Case {
    const wchar_t* key;
    const wchar_t* text;
  };
  const Case kCases[] = {
      {L"library.not.found", L"Failed to find library."},
      {L"failed.creating.jvm", L"Failed to create JVM"},
      {L"failed.locating.jvm.entry.point", L"Failed to locate JNI_CreateJavaVM"},
      {L"no.main.class.specified", L"No main class specified"},
      {L"method.not.found", L"No method %s in class %s."},
      {L"class.not.found", L"Class %s not found."},
      {L"error.invoking.method", L"Error invoking method."},
      {L"appcds.cache.file.not.found", L"Error: AppCDS cache does not exists:\n%s\n"},
      {L"Class.Not.Found", L""},
      {L"class.not.found ", L""},
      {L"", L""},
  };
  MessageCatalog& catalog = MessageCatalog::GetInstance();
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.key);
    EXPECT_EQ(c.text, catalog.GetMessage(c.key));
  }
}

TEST(MessageCatalogTest, TextsTakeTheirPlaceholdersInOrder) {
  MessageCatalog& catalog = MessageCatalog::GetInstance();
  EXPECT_EQ(L"Class java/lang/String not found.",
            PlatformString::Format(catalog.GetMessage(L"class.not.found"), L"java/lang/String"));
  EXPECT_EQ(L"No method main in class Demo.",
            PlatformString::Format(catalog.GetMessage(L"method.not.found"), L"main", L"Demo"));
  EXPECT_EQ(L"Error: AppCDS cache does not exists:\nC:\\c\\app.jsa\n",
            PlatformString::Format(catalog.GetMessage(L"appcds.cache.file.not.found"), L"C:\\c\\app.jsa"));
}

}  // namespace
