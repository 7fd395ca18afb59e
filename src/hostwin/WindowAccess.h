#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hostwin {

// A platform window handle; 0 means "no window".
using Handle = std::uint32_t;

// The few window operations the walks over the chat client's windows need. The Win32 adapter
// converts texts to and from the ANSI code page; tests use an in-memory tree.
//
// The client is another program and may be slow, hung or racing with a read: every message to
// it is bounded in time, and an operation that got no answer says so rather than passing off
// nothing for a result. The searches and reads may be made from a thread other than the
// window's, one at a time.
class WindowAccess {
 public:
  WindowAccess() = default;
  WindowAccess(const WindowAccess&) = delete;
  WindowAccess& operator=(const WindowAccess&) = delete;
  virtual ~WindowAccess() = default;

  // First top-level window of the class, any title.
  virtual Handle FindTopLevel(std::u16string_view className) = 0;
  // First direct child of parent of the class after `after` (0: from the first child).
  // parent is never 0 here: a search under 0 would roam the desktop's windows.
  virtual Handle FindChild(Handle parent, Handle after, std::u16string_view className) = 0;
  // The length the window reports for its title.
  virtual int TitleLength(Handle window) = 0;
  // The title as the window writes it into a buffer of `capacity` units (NUL included); may
  // be shorter than TitleLength says.
  virtual std::u16string Title(Handle window, int capacity) = 0;
  // A control's content, also across processes (where the title functions do not reach it).
  // The length is a cheap sign of change; it need not match the text's size. Both are empty
  // when the window did not answer in time, answered beyond reason, or could not be read whole:
  // a failed read is never an empty text.
  virtual std::optional<int> TextLength(Handle window) = 0;
  virtual std::optional<std::u16string> Text(Handle window) = 0;
  // A multi-line control's rows as it lays them out (a wrapped line takes several): cheap signs
  // of a change that keeps the length, asked without a buffer. A row's start and length are in
  // the control's own positions (a rich edit counts a line break as one, an edit box as two), so
  // they are compared with each other, never with the text. Empty when unanswered or beyond
  // reason.
  virtual std::optional<int> RowCount(Handle window) = 0;
  virtual std::optional<int> RowStart(Handle window, int row) = 0;
  // The length of the row that holds a position, its line break not counted.
  virtual std::optional<int> RowLength(Handle window, int position) = 0;
  // Whether the window answers an empty message within a short time: after a read that got no
  // answer, a poll asks this before it risks a read's full wait again.
  virtual bool Answers(Handle window) = 0;
  // WM_SETTEXT and WM_CHAR; false when the window did not take the message in time.
  virtual bool SetText(Handle window, std::u16string_view text) = 0;
  virtual bool SendChar(Handle window, char16_t code) = 0;
  // Puts an edit box's caret after its last character (EM_SETSEL); false as SendChar.
  virtual bool CaretToEnd(Handle window) = 0;
};

}  // namespace hostwin
