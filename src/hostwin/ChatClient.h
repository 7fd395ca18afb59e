#pragma once
// hostwin/ holds everything that talks to the chat client, through its windows only: the walks
// to its windows (ChatRoom, Keyword) over WindowAccess, the transcript's scanner and tracker, the
// wait that keeps windows answering, and this facade that the windows' handlers use.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "hostwin/Background.h"
#include "hostwin/WindowAccess.h"

namespace hostwin {

// The chat client as the windows' handlers reach it: through its windows only.
class ChatClient {
 public:
  using BackgroundFactory = std::function<std::unique_ptr<Background>()>;

  ChatClient(WindowAccess& windows, BackgroundFactory background)
      : windows_(windows), background_(std::move(background)) {}

  WindowAccess& Windows() { return windows_; }
  // Where the transcript's reads run, one for each scanner.
  std::unique_ptr<Background> NewBackground() { return background_(); }
  // Types the line into the room's input box and presses Enter.
  void Say(std::u16string_view line);
  // The same line in colour-faded markup.
  void SayFaded(std::u16string_view line);
  void OpenKeyword(std::u16string_view address);
  // The signed-on screen name; empty when there is none.
  std::u16string ScreenName();

 private:
  WindowAccess& windows_;
  BackgroundFactory background_;
};

}  // namespace hostwin
