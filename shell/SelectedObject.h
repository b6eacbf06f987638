#ifndef QUENDRA_SHELL_SELECTEDOBJECT_H
#define QUENDRA_SHELL_SELECTEDOBJECT_H

#include <windows.h>

// Selects a GDI object into a device context and selects the previous one back
// when the scope ends, so the object can be deleted after the context.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept
      : dc(dc), previous(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (Succeeded()) ::SelectObject(dc, previous);
  }
  bool Succeeded() const noexcept { return previous != nullptr && previous != HGDI_ERROR; }

 private:
  HDC dc;
  HGDIOBJ previous;
};

#endif
