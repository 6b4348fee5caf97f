#include "platform/win32/win32_paint_wait.h"

namespace kvz::platform::win32 {
namespace {

// A window that never validates its update region would hand out WM_PAINT
// forever; a few per round keep the time bound in force.
constexpr int kPaintsPerRound = 32;

void DispatchPaintMessages() {
  MSG msg;
  for (int i = 0; i < kPaintsPerRound; ++i) {
    // Peeking also delivers messages sent from other threads.
    if (!PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) return;
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool WaitWhilePainting(HANDLE object, DWORD timeoutMs) {
  const DWORD count = object != nullptr ? 1 : 0;
  const DWORD start = GetTickCount();
  for (;;) {
    // Unsigned difference: correct across the tick counter's wrap.
    const DWORD elapsed = GetTickCount() - start;
    const DWORD remaining = elapsed < timeoutMs ? timeoutMs - elapsed : 0;
    // MWMO_INPUTAVAILABLE: also wake for paint messages that were already
    // pending before the wait began.
    const DWORD r = MsgWaitForMultipleObjectsEx(count, count ? &object : nullptr, remaining,
                                                QS_PAINT | QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    if (count && r == WAIT_OBJECT_0) return true;
    if (r == WAIT_OBJECT_0 + count && remaining > 0) {
      DispatchPaintMessages();
      continue;
    }
    // Timed out (or the wait failed): one last look, in case the object was
    // signalled just at the bound.
    return count && WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
  }
}

}  // namespace kvz::platform::win32
