#ifndef QUENDRA_INSTALLER_MAPITYPES_H
#define QUENDRA_INSTALLER_MAPITYPES_H

// The Unicode Simple MAPI structures and the two send entries that the library
// calls. The MinGW headers carry only the multi-byte structures.

#include <windows.h>
#include <mapi.h>

struct MapiFileDescW {
  ULONG ulReserved;
  ULONG flFlags;
  ULONG nPosition;
  PWSTR lpszPathName;
  PWSTR lpszFileName;
  PVOID lpFileType;
};

struct MapiRecipDescW {
  ULONG ulReserved;
  ULONG ulRecipClass;
  PWSTR lpszName;
  PWSTR lpszAddress;
  ULONG ulEIDSize;
  PVOID lpEntryID;
};

struct MapiMessageW {
  ULONG ulReserved;
  PWSTR lpszSubject;
  PWSTR lpszNoteText;
  PWSTR lpszMessageType;
  PWSTR lpszDateReceived;
  PWSTR lpszConversationID;
  FLAGS flFlags;
  MapiRecipDescW* lpOriginator;
  ULONG nRecipCount;
  MapiRecipDescW* lpRecips;
  ULONG nFileCount;
  MapiFileDescW* lpFiles;
};

using MapiSendMailWFunction = ULONG(WINAPI*)(LHANDLE session, ULONG_PTR window,
                                             MapiMessageW* message, FLAGS flags,
                                             ULONG reserved);
using MapiSendMailFunction = ULONG(WINAPI*)(LHANDLE session, ULONG_PTR window,
                                            MapiMessage* message, FLAGS flags,
                                            ULONG reserved);

// The compose window with a logon prompt when the client needs one.
constexpr FLAGS kSendMailFlags = MAPI_LOGON_UI | MAPI_DIALOG;
constexpr ULONG kMapiFailure = 2;
constexpr ULONG kNoPosition = static_cast<ULONG>(-1);

#endif
