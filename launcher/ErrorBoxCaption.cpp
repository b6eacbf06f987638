#include "ErrorBoxCaption.h"

std::wstring ErrorBoxCaption(const std::wstring& modulePath) {
  std::wstring path = modulePath.substr(0, kCaptionPathLimit);
  std::size_t backslash = path.rfind(L'\\');
  return backslash == std::wstring::npos ? path : path.substr(backslash + 1);
}
