#ifndef QUENDRA_SHELL_MENUITEMS_H
#define QUENDRA_SHELL_MENUITEMS_H

#include <windows.h>

#include <array>
#include <cstddef>

// The actions of the context menu, identified by their command offset.
inline constexpr std::size_t kMenuItemCount = 5;

struct MenuItem {
  UINT offset;
  const wchar_t* flag;       // the command-line flag the application receives
  const wchar_t* latvian;    // language 0x0426
  const wchar_t* russian;    // language 0x0419
  const wchar_t* english;    // every other language
};

enum class MenuLanguage { English, Latvian, Russian };

// The five items in offset order: New, Batch, Sign as eDoc, Sign as PDF, Extract content.
const std::array<MenuItem, kMenuItemCount>& MenuItems();

// Only the exact language ids 0x0426 and 0x0419 pick a translation.
MenuLanguage MenuLanguageFor(LANGID languageId);

const wchar_t* MenuItemText(const MenuItem& item, MenuLanguage language);

// The texts of the extension's message boxes, chosen by the same language rule.
enum class MenuMessageId { SelectionTooLarge };

const wchar_t* MenuMessageText(MenuMessageId id, MenuLanguage language);

// The text of the submenu's own item, the same in every language.
inline constexpr wchar_t kSubmenuText[] = L"Quendra 3.0";

// Which of the five items are shown, in offset order.
using ItemSwitches = std::array<bool, kMenuItemCount>;

#endif
