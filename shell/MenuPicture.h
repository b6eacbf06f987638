#ifndef QUENDRA_SHELL_MENUPICTURE_H
#define QUENDRA_SHELL_MENUPICTURE_H

#include <windows.h>

#include "platform/WindowsHandles.h"

inline constexpr int kMenuPictureResource = 201;

// Loads the menu picture from the module and paints its background (the colour of
// its top-left pixel) in the menu colour, so the picture blends into the menu.
// Gives the picture unchanged when it cannot be repainted, and nothing when it
// cannot be loaded.
UniqueBitmap PrepareMenuPicture(HINSTANCE module);

#endif
