#pragma once
// RICHCNTL, the chat client's text control, made of the system control --transcript names (a rich
// edit or an EDIT, ANSI or Unicode) for transcripts and input boxes alike; and a room's
// transcript, one class per family of control, so that the room need not tell the kinds apart.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "practicehost/Markup.h"
#include "practicehost/Options.h"
#include "practicehost/Protocol.h"

namespace practicehost {

class WindowClasses;

// False, with a reason, if the system has no such control.
bool AddTranscriptClass(WindowClasses& classes, HINSTANCE instance, TranscriptKind kind,
                        std::string& error);

// The system control's own handling of a message to a RICHCNTL window, past the read habits; in
// the window's own character set.
LRESULT CallControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A RICHCNTL window's text in UTF-16, lines separated by CR LF, past the read habits. (Wine's
// GetWindowTextW of an ANSI rich edit holding double-byte text comes back empty.)
std::wstring ControlText(HWND window);

// How a transcript answers reads beyond the system's control, as the options ask.
struct ReadHabits {
  // WM_GETTEXT into a buffer too small for all of the text copies nothing and returns 0, as
  // current rich edits do; else the copy ends before the first character that does not fit
  // whole, as older ones do (never half a double-byte character).
  bool strict = false;
  // Every this many-th WM_GETTEXTLENGTH answers kHugeLength; 0: never.
  int hugeLengthEvery = 0;
  // Called between a WM_GETTEXTLENGTH and the next WM_GETTEXT, to make the text grow there.
  std::function<void()> grow;
  int lengthsAsked = 0;
  bool growing = false;
};

class Transcript {
 public:
  static std::unique_ptr<Transcript> Make(TranscriptKind kind);

  Transcript() = default;
  // The window keeps a pointer to this object.
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;
  virtual ~Transcript() = default;

  // The window's style beside WS_CHILD | WS_VISIBLE.
  virtual DWORD Style() const = 0;
  // Takes on window, a RICHCNTL made with Style(), which from now on reads as habits says. The
  // window must be gone before this object and habits are.
  void Attach(HWND window, ReadHabits& habits);
  ReadHabits* Habits() const { return habits_; }

  // The sender's line at the end: "sender:", a tab and the runs' text, after a line break unless
  // it is the first line.
  virtual void AppendLine(std::string_view sender, const std::vector<Run>& runs) = 0;
  // Plain ANSI text at the end, as it is ("\r\n" between lines).
  virtual void AppendText(std::string_view text) = 0;
  // The text as WM_GETTEXT gives it, in UTF-16, lines separated by CR LF.
  virtual std::wstring Text() const = 0;
  // At least as many UTF-16 units as Text() has, found without reading the text.
  virtual size_t LengthBound() const = 0;
  // Drops count characters from the top, a line break counting one.
  virtual void CutTop(size_t count) = 0;
  // The caret to the end, and the end into view.
  void ScrollToEnd();

 protected:
  // Once attached.
  virtual void Prepare() {}
  virtual void MoveCaretToEnd() = 0;
  HWND Window() const { return window_; }

  bool hasLines_ = false;

 private:
  HWND window_ = nullptr;
  ReadHabits* habits_ = nullptr;
};

}  // namespace practicehost
