#include "Zibbet.h"

#include "console/ChatScanner.h"
#include "console/MainWindow.h"
#include "fade/Fade.h"
#include "hostwin/ChatRoom.h"
#include "hostwin/Keyword.h"
#include "panels/LinksPanel.h"
#include "panels/SecretPanel.h"
#include "panels/Splash.h"

namespace zibbet {

void ChatClient::Say(std::u16string_view line) { hostwin::SendToChat(windows_, line); }

void ChatClient::SayFaded(std::u16string_view line) { Say(fade::FadeText(line)); }

void ChatClient::OpenKeyword(std::u16string_view address) {
  hostwin::OpenKeyword(windows_, address);
}

std::u16string ChatClient::ScreenName() { return hostwin::GetScreenName(windows_); }

forms::BehaviourFactory Behaviours(ChatClient& chat) {
  return [&chat](forms::Program& program, forms::FormId id,
                 forms::Form& form) -> std::unique_ptr<forms::Behaviour> {
    switch (id) {
      case forms::FormId::Form1:
        return std::make_unique<console::MainWindow>(program, form, chat);
      case forms::FormId::Form2:
        return std::make_unique<panels::Splash>(program, form);
      case forms::FormId::Form3:
        return std::make_unique<panels::LinksPanel>(program, form, chat);
      case forms::FormId::Form4:
        return std::make_unique<panels::SecretPanel>(program, form, chat);
      case forms::FormId::Form5:
        break;
    }
    return nullptr;
  };
}

forms::ComponentFactory Components(ChatClient& chat) {
  return [&chat](forms::Program& program, forms::FormId id,
                 forms::Control& control) -> std::unique_ptr<forms::Component> {
    if (control.Desc().kind == forms::Kind::ChatScanner) {
      return std::make_unique<console::ScannerControl>(program, chat.Windows(), id, control.Name());
    }
    return nullptr;
  };
}

void Start(forms::Program& program) { program.Show(forms::FormId::Form2); }

}  // namespace zibbet
