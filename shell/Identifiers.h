#ifndef QUENDRA_SHELL_IDENTIFIERS_H
#define QUENDRA_SHELL_IDENTIFIERS_H

#include <guiddef.h>

// The identities under which the extension is known to COM and Explorer.
// {7C1E5A93-2B4D-4F60-A8E2-5D19C03B7F41}
inline constexpr CLSID kClsidQuendra3menu = {
    0x7C1E5A93, 0x2B4D, 0x4F60, {0xA8, 0xE2, 0x5D, 0x19, 0xC0, 0x3B, 0x7F, 0x41}};
// {8F2C4D97-DFC7-470F-B26A-5C44BDDC5793}
inline constexpr GUID kLibidQuendra3shellLib = {
    0x8F2C4D97, 0xDFC7, 0x470F, {0xB2, 0x6A, 0x5C, 0x44, 0xBD, 0xDC, 0x57, 0x93}};
// {28D90DDD-C557-4311-9F71-AD2FB4013BEA}
inline constexpr IID kIidIquendra3menu = {
    0x28D90DDD, 0xC557, 0x4311, {0x9F, 0x71, 0xAD, 0x2F, 0xB4, 0x01, 0x3B, 0xEA}};

inline constexpr wchar_t kAppIdText[] = L"{B25F0C6E-91A7-4D3B-8E04-6A2C7D95E1F8}";
inline constexpr wchar_t kClsidQuendra3menuText[] = L"{7C1E5A93-2B4D-4F60-A8E2-5D19C03B7F41}";

#endif
