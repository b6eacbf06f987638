#ifndef QUENDRA_SHELL_MENUSELECTION_H
#define QUENDRA_SHELL_MENUSELECTION_H

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "MenuItems.h"

// Reads a path's file attributes; INVALID_FILE_ATTRIBUTES when they cannot be read.
using FileAttributesQuery = DWORD (*)(const wchar_t* path);

DWORD QueryFileAttributes(const wchar_t* path);

// What a selection of files and folders offers on the context menu.
struct MenuSelection {
  std::vector<std::wstring> selectedPaths;  // accepted paths, in selection order
  ItemSwitches itemSwitches{};              // all off unless the rules turn one on
};

// Paths longer than this many characters are left out of the selection.
inline constexpr UINT kLongestDroppedPath = 259;

UINT DroppedItemCount(HDROP drop);

// The path of one dropped item, or nothing when it is empty, too long or unreadable.
std::optional<std::wstring> ReadDroppedPath(HDROP drop, UINT index);

// Applies the selection rules to the dropped paths: unreadable items and drive roots
// are left out, and the remaining folders, PDF files and containers decide which
// items are shown.
MenuSelection ClassifySelection(const std::vector<std::wstring>& droppedPaths,
                                FileAttributesQuery queryAttributes);

#endif
