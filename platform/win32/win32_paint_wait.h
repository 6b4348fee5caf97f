#pragma once
#include <windows.h>

namespace kvz::platform::win32 {

// Waits up to timeoutMs for `object` (or, with nullptr, for the time alone)
// while dispatching the thread's paint messages and the messages that other
// threads send to it. Input, timers and posted commands stay queued. True
// when the object was signalled in time.
bool WaitWhilePainting(HANDLE object, DWORD timeoutMs);

}  // namespace kvz::platform::win32
