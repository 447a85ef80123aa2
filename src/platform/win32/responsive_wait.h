// Waiting on the UI thread without hanging the window. While the set-DNS action waits for netsh
// or pauses, the window must keep painting and answer messages sent to it (or Windows greys it
// out as not responding), yet take no input: what the user types or clicks meanwhile is dropped.
#pragma once

#include <windows.h>

namespace platform::win32 {

enum class WaitEnd { Signalled, TimedOut, Failed };

// Waits until `object` is signalled or `milliseconds` have passed; with a null object it only
// lets the time pass. Meanwhile sent messages are answered, windows are painted and the thread's
// keyboard and mouse input is discarded. Posted messages stay queued for the message loop.
WaitEnd WaitKeepingWindowsAlive(HANDLE object, DWORD milliseconds);

// Drops the keyboard and mouse input waiting in the thread's queue, so that keys pressed and
// clicks made before now can neither start anything nor dismiss a box that opens next.
void DiscardQueuedInput();

}  // namespace platform::win32
