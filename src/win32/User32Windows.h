#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "hostwin/WindowAccess.h"
#include "winkit/Text.h"

namespace win32 {

// Texts in the system's ANSI code page, as the chat client's ANSI windows take them.
using winkit::FromAnsi;
using winkit::ToAnsi;

// A window handle as the portable core keeps it, 32 bits, and back. Windows shares handles between
// 32-bit and 64-bit programs as 32-bit values: only the low 32 bits are significant, so a 64-bit
// program may truncate a handle and must sign-extend one back (0x80001234 is 0xFFFFFFFF80001234).
hostwin::Handle ToHandle(HWND window);
HWND ToHwnd(hostwin::Handle handle);

// The window access over user32: searches and sends in ANSI, as the client's windows take them;
// contents are read wide, so no code page can cut them. Messages to the client go with
// SendMessageTimeout, so a hung client costs a bounded wait, and none once the system reports it
// hung. Text is copied only with WM_GETTEXT (see Text); everything else asked of the client
// carries no buffer. Holds nothing, so any thread may use it.
class User32Windows final : public hostwin::WindowAccess {
 public:
  // A line to say waits for a client that is busy, copying the scanner a long transcript, say;
  // so does a read, made on the scanner's own thread or as part of saying a line (the box's text
  // kept).
  static constexpr UINT kSendMilliseconds = 2000;
  static constexpr UINT kReadMilliseconds = kSendMilliseconds;
  // Long enough for a client that is busy but alive, short enough not to hold up a click.
  static constexpr UINT kPingMilliseconds = 20;

  hostwin::Handle FindTopLevel(std::u16string_view className) override;
  hostwin::Handle FindChild(hostwin::Handle parent, hostwin::Handle after,
                            std::u16string_view className) override;
  int TitleLength(hostwin::Handle window) override;
  std::u16string Title(hostwin::Handle window, int capacity) override;
  std::optional<int> TextLength(hostwin::Handle window) override;
  std::optional<std::u16string> Text(hostwin::Handle window) override;
  std::optional<int> RowCount(hostwin::Handle window) override;
  std::optional<int> RowStart(hostwin::Handle window, int row) override;
  std::optional<int> RowLength(hostwin::Handle window, int position) override;
  bool Answers(hostwin::Handle window) override;
  bool SetText(hostwin::Handle window, std::u16string_view text) override;
  bool SendChar(hostwin::Handle window, char16_t code) override;
  bool CaretToEnd(hostwin::Handle window) override;
};

}  // namespace win32
