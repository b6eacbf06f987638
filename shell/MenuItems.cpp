#include "MenuItems.h"

namespace {

constexpr LANGID kLatvian = 0x0426;
constexpr LANGID kRussian = 0x0419;

const std::array<MenuItem, kMenuItemCount> kMenuItems = {{
    {0, L"-new", L"Jauns dokuments Quendra", L"Новый документ с Quendra", L"New with Quendra"},
    {1, L"-batch", L"Parakstīt atsevišķi Quendra", L"Подписать отдельно с Quendra",
     L"Batch with Quendra"},
    {2, L"-sign", L"Parakstīt kā eDoc", L"Подписать как eDoc", L"Sign as eDoc"},
    {3, L"-signpdf", L"Parakstīt kā PDF", L"Подписать как PDF", L"Sign as PDF"},
    {4, L"-export", L"Izvilkt saturu", L"Распаковать содержимое", L"Extract content"},
}};

struct MenuMessage {
  const wchar_t* latvian;
  const wchar_t* russian;
  const wchar_t* english;
};

// In the order of MenuMessageId.
const MenuMessage kMenuMessages[] = {
    {L"Atlasīts pārāk daudz failu. Atlasiet mazāk failu un mēģiniet vēlreiz.",
     L"Выбрано слишком много файлов. Выберите меньше файлов и повторите попытку.",
     L"Too many files are selected. Select fewer files and try again."},
};

template <typename Texts>
const wchar_t* TextIn(const Texts& texts, MenuLanguage language) {
  switch (language) {
    case MenuLanguage::Latvian:
      return texts.latvian;
    case MenuLanguage::Russian:
      return texts.russian;
    case MenuLanguage::English:
      break;
  }
  return texts.english;
}

}  // namespace

const std::array<MenuItem, kMenuItemCount>& MenuItems() { return kMenuItems; }

MenuLanguage MenuLanguageFor(LANGID languageId) {
  if (languageId == kLatvian) return MenuLanguage::Latvian;
  if (languageId == kRussian) return MenuLanguage::Russian;
  return MenuLanguage::English;
}

const wchar_t* MenuItemText(const MenuItem& item, MenuLanguage language) {
  return TextIn(item, language);
}

const wchar_t* MenuMessageText(MenuMessageId id, MenuLanguage language) {
  return TextIn(kMenuMessages[static_cast<std::size_t>(id)], language);
}
