#include "launch/MessageCatalog.h"

#include "launch/MacroExpander.h"

namespace {

struct Message {
  const wchar_t* key;
  const wchar_t* text;
};

const Message kMessages[] = {
    {L"library.not.found", L"Failed to find library."},
    {L"failed.creating.jvm", L"Failed to create JVM"},
    {L"failed.locating.jvm.entry.point", L"Failed to locate JNI_CreateJavaVM"},
    {L"no.main.class.specified", L"No main class specified"},
    {L"method.not.found", L"No method %s in class %s."},
    {L"class.not.found", L"Class %s not found."},
    {L"error.invoking.method", L"Error invoking method."},
    {L"appcds.cache.file.not.found", L"Error: AppCDS cache does not exists:\n%s\n"},
};

}  // namespace

MessageCatalog::MessageCatalog() {
  messages.SetReadOnly(false);
  for (const Message& message : kMessages) messages.SetValue(message.key, message.text);
}

MessageCatalog& MessageCatalog::GetInstance() {
  static MessageCatalog instance;
  return instance;
}

std::wstring MessageCatalog::GetMessage(const std::wstring& key) {
  std::wstring text;
  messages.GetValue(key, text);
  return MacroExpander::GetInstance().ExpandMacros(text);
}
