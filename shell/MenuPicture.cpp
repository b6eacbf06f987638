#include "MenuPicture.h"

#include "SelectedObject.h"

namespace {

void ReplaceKeyColour(HDC dc, int width, int height) {
  COLORREF key = ::GetPixel(dc, 0, 0);
  COLORREF replacement = ::GetSysColor(COLOR_MENU);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (::GetPixel(dc, x, y) == key) ::SetPixel(dc, x, y, replacement);
    }
  }
}

UniqueBitmap CopyWithMenuBackground(HBITMAP picture, HDC sourceDc, HDC targetDc) {
  BITMAP shape{};
  if (::GetObjectW(picture, sizeof(shape), &shape) == 0) return UniqueBitmap();
  UniqueBitmap copy(::CreateBitmap(shape.bmWidth, shape.bmHeight, shape.bmPlanes,
                                   shape.bmBitsPixel, nullptr));
  if (!copy) return copy;
  SelectedObject source(sourceDc, picture);
  SelectedObject target(targetDc, copy.get());
  if (!source.Succeeded() || !target.Succeeded()) return UniqueBitmap();
  ::BitBlt(targetDc, 0, 0, shape.bmWidth, shape.bmHeight, sourceDc, 0, 0, SRCCOPY);
  ReplaceKeyColour(targetDc, shape.bmWidth, shape.bmHeight);
  return copy;
}

}  // namespace

UniqueBitmap PrepareMenuPicture(HINSTANCE module) {
  UniqueBitmap picture(::LoadBitmapW(module, MAKEINTRESOURCEW(kMenuPictureResource)));
  if (!picture) return picture;
  UniqueMemoryDc sourceDc(::CreateCompatibleDC(nullptr));
  UniqueMemoryDc targetDc(::CreateCompatibleDC(nullptr));
  if (!sourceDc || !targetDc) return picture;
  UniqueBitmap copy = CopyWithMenuBackground(picture.get(), sourceDc.get(), targetDc.get());
  // The loaded picture is only the source of the copy; it goes with this scope.
  return copy ? std::move(copy) : std::move(picture);
}
