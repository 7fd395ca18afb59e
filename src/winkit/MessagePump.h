#pragma once
// Dispatching this thread's messages: the main loop, and the nested pumps of waits that keep the
// windows answering. A WM_QUIT met in a nested pump is put back for the main loop, which is what
// ends the program.

#include <windows.h>

#include <functional>

namespace winkit {

// Sees each message before it is translated; true when it handled the message, which then is
// not dispatched (keyboard navigation between a window's controls, say).
using PreTranslate = std::function<bool(MSG&)>;

enum class Pumped {
  Message,  // one message was dispatched (or taken by the pre-translation)
  TimedOut,
  Quit,  // WM_QUIT came; it is queued again
};

// Waits up to `timeoutMs` for a message and handles at most one. The wait sleeps: it also wakes
// for input that is queued but was already seen.
Pumped PumpOne(DWORD timeoutMs, const PreTranslate& preTranslate = {});

// Handles every message already queued, without waiting; false when WM_QUIT came.
bool DrainMessages(const PreTranslate& preTranslate = {});

// Pumps until `done()` holds or `timeoutMs` has passed; false on time-out or WM_QUIT. `done` is
// checked after every message and at least every `pollMs`, so it may also watch other processes.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = INFINITE,
               const PreTranslate& preTranslate = {});

// Pumps for `milliseconds`, sleeping between messages.
void PumpFor(DWORD milliseconds, const PreTranslate& preTranslate = {});

// The main loop: until WM_QUIT, whose exit code it returns.
int RunMessageLoop(const PreTranslate& preTranslate = {});

}  // namespace winkit
