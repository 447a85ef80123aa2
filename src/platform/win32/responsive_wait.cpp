#include "platform/win32/responsive_wait.h"

namespace platform::win32 {
namespace {

// Enough for every window of the program; a window that never validates cannot spin the wait.
constexpr int kMaxPaintsPerRound = 64;

void AnswerSentMessagesAndPaint() {
  MSG message;
  // Any PeekMessage delivers the messages other threads and processes have sent to us.
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  for (int i = 0; i < kMaxPaintsPerRound &&
                  PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT);
       ++i) {
    DispatchMessageW(&message);
  }
}

}  // namespace

void DiscardQueuedInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
  }
}

WaitEnd WaitKeepingWindowsAlive(HANDLE object, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  const DWORD count = object != nullptr ? 1 : 0;
  while (true) {
    DiscardQueuedInput();
    AnswerSentMessagesAndPaint();
    const ULONGLONG now = GetTickCount64();
    const DWORD remaining = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    // Wakes for the object, the time, or new work for this thread (sent, paint, input).
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, count != 0 ? &object : nullptr, remaining,
                                                   QS_SENDMESSAGE | QS_PAINT | QS_INPUT, 0);
    if (count != 0 && woke == WAIT_OBJECT_0) {
      return WaitEnd::Signalled;
    }
    if (woke == WAIT_TIMEOUT) {
      return WaitEnd::TimedOut;
    }
    if (woke != WAIT_OBJECT_0 + count) {
      return WaitEnd::Failed;
    }
    if (remaining == 0) {
      // Messages kept arriving past the deadline: the object decides now.
      if (count != 0 && WaitForSingleObject(object, 0) == WAIT_OBJECT_0) {
        return WaitEnd::Signalled;
      }
      return WaitEnd::TimedOut;
    }
  }
}

}  // namespace platform::win32
