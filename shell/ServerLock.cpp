#include "ServerLock.h"

#include <windows.h>

namespace {

LONG lockCount = 0;

}  // namespace

void ServerLock::Add() noexcept { ::InterlockedIncrement(&lockCount); }

void ServerLock::Remove() noexcept { ::InterlockedDecrement(&lockCount); }

bool ServerLock::AnyHeld() noexcept { return ::InterlockedCompareExchange(&lockCount, 0, 0) != 0; }
