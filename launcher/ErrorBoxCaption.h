#ifndef QUENDRA_LAUNCHER_ERRORBOXCAPTION_H
#define QUENDRA_LAUNCHER_ERRORBOXCAPTION_H

#include <cstddef>
#include <string>

// The executable's path is read into a buffer of 260 characters whose last one is
// always NUL, so no more than this many characters of it are ever used.
constexpr std::size_t kCaptionPathLimit = 259;

// The caption of the launcher's own error box: the executable's file name, taken
// as the text after the last backslash of the path once it is cut to its first
// kCaptionPathLimit characters; the whole (cut) path when it holds no backslash.
std::wstring ErrorBoxCaption(const std::wstring& modulePath);

#endif
