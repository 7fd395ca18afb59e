#include "panels/LinksPanel.h"

#include <array>
#include <utility>

namespace panels {
namespace {

// The link buttons' clicks, each button checked when compiled.
template <std::size_t... I>
constexpr auto LinkClicks(std::index_sequence<I...> /*buttons*/) {
  return std::array{
      formkit::ControlEvent<forms::kForm3, formkit::Event::Click>(kLinks[I].button)...};
}
constexpr auto kLinkClicks = LinkClicks(std::make_index_sequence<kLinks.size()>());

}  // namespace

LinksPanel::LinksPanel(formkit::Program& program, formkit::Form& form, hostwin::ChatClient& chat)
    : program_(program), form_(form), chat_(chat) {
  using formkit::Event;
  On(When<Event::Load>(), [this] { Form_Load(); });
  On(When<Event::Click>(), [this] { Form_Click(); });
  On(When<Event::DblClick>(), [this] { Form_DblClick(); });
  On(When<Event::Click>(kMinimize), [this] { Label2_Click(); });
  On(When<Event::Click>(kClose), [this] { Label3_Click(); });
  for (std::size_t i = 0; i < kLinks.size(); ++i) {
    On(kLinkClicks[i], [this, address = kLinks[i].address] { chat_.OpenKeyword(address); });
  }
}

void LinksPanel::Form_Load() {
  program_.Show(formkit::FormId::Picture);
  // The picture window is not topmost, so the panel lies above it.
  form_.MakeTopmost();
}

void LinksPanel::Form_Click() { form_.DragWindow(); }

void LinksPanel::Form_DblClick() { form_.DragWindow(); }

void LinksPanel::Label2_Click() {
  chat_.SayFaded(kMinimizeLine);
  form_.SetState(formkit::WindowState::Minimized);
}

void LinksPanel::Label3_Click() {
  chat_.SayFaded(kCloseLine);
  program_.Unload(formkit::FormId::Links);
}

}  // namespace panels
