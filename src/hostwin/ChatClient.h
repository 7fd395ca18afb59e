#pragma once
// hostwin/ holds everything that talks to the chat client, through its windows only: the walks
// to its windows (ChatRoom, Keyword) over WindowAccess, the transcript's scanner and tracker, the
// wait that keeps windows answering, and this facade that the windows' handlers use.

#include <string>
#include <string_view>

#include "hostwin/WindowAccess.h"

namespace hostwin {

// The chat client as the windows' handlers reach it: through its windows only.
class ChatClient {
 public:
  explicit ChatClient(WindowAccess& windows) : windows_(windows) {}

  WindowAccess& Windows() { return windows_; }
  // Types the line into the room's input box and presses Enter.
  void Say(std::u16string_view line);
  // The same line in colour-faded markup.
  void SayFaded(std::u16string_view line);
  void OpenKeyword(std::u16string_view address);
  // The signed-on screen name; empty when there is none.
  std::u16string ScreenName();

 private:
  WindowAccess& windows_;
};

}  // namespace hostwin
