#include "hostwin/ChatClient.h"

#include "fade/Fade.h"
#include "hostwin/ChatRoom.h"
#include "hostwin/Keyword.h"

namespace hostwin {

void ChatClient::Say(std::u16string_view line) { SendToChat(windows_, line); }

void ChatClient::SayFaded(std::u16string_view line) { Say(fade::FadeText(line)); }

void ChatClient::OpenKeyword(std::u16string_view address) {
  hostwin::OpenKeyword(windows_, address);
}

std::u16string ChatClient::ScreenName() { return GetScreenName(windows_); }

}  // namespace hostwin
