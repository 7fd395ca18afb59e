#pragma once

#include <string>
#include <string_view>

#include "forms/Program.h"
#include "hostwin/WindowAccess.h"

namespace zibbet {

// The chat client as the handlers reach it: through its windows only.
class ChatClient {
 public:
  explicit ChatClient(hostwin::WindowAccess& windows) : windows_(windows) {}

  hostwin::WindowAccess& Windows() { return windows_; }
  // Types the line into the room's input box and presses Enter.
  void Say(std::u16string_view line);
  // The same line in colour-faded markup.
  void SayFaded(std::u16string_view line);
  void OpenKeyword(std::u16string_view address);
  // The signed-on screen name; empty when there is none.
  std::u16string ScreenName();

 private:
  hostwin::WindowAccess& windows_;
};

// Each window's behaviour: the main window's in console/, the side windows' in panels/. The
// picture window has none.
forms::BehaviourFactory Behaviours(ChatClient& chat);

// The components behind controls of a component kind: the main window's chat scanner.
forms::ComponentFactory Components(ChatClient& chat);

// The program starts with the splash window.
void Start(forms::Program& program);

}  // namespace zibbet
