#include "winkit/MessagePump.h"

#include <algorithm>

namespace winkit {
namespace {

void Dispatch(MSG& message, const PreTranslate& preTranslate) {
  if (preTranslate && preTranslate(message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// A message taken from the queue, or WM_QUIT put back; false when nothing was queued.
bool TakeOne(Pumped& result, const PreTranslate& preTranslate) {
  MSG message{};
  if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
    return false;
  }
  if (message.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(message.wParam));
    result = Pumped::Quit;
    return true;
  }
  Dispatch(message, preTranslate);
  result = Pumped::Message;
  return true;
}

}  // namespace

Pumped PumpOne(DWORD timeoutMs, const PreTranslate& preTranslate) {
  Pumped result = Pumped::TimedOut;
  if (TakeOne(result, preTranslate)) {
    return result;
  }
  // MWMO_INPUTAVAILABLE: wake for input that is already queued but not yet seen, too.
  MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  TakeOne(result, preTranslate);
  return result;
}

bool DrainMessages(const PreTranslate& preTranslate) {
  Pumped result = Pumped::Message;
  while (TakeOne(result, preTranslate)) {
    if (result == Pumped::Quit) {
      return false;
    }
  }
  return true;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs,
               const PreTranslate& preTranslate) {
  // GetTickCount wraps every 49.7 days; the unsigned difference stays right across the wrap.
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed > timeoutMs) {
      return false;
    }
    const DWORD left = timeoutMs - elapsed;
    if (PumpOne(std::min(left, pollMs), preTranslate) == Pumped::Quit) {
      return false;
    }
  }
  return true;
}

void PumpFor(DWORD milliseconds, const PreTranslate& preTranslate) {
  PumpUntil([] { return false; }, milliseconds, INFINITE, preTranslate);
}

int RunMessageLoop(const PreTranslate& preTranslate) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    Dispatch(message, preTranslate);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace winkit
