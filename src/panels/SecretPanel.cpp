#include "panels/SecretPanel.h"

namespace panels {
namespace {

constexpr std::u16string_view kAccessCode = u"vemm";
constexpr std::u16string_view kAgeNumber = u"18";

}  // namespace

SecretPanel::SecretPanel(formkit::Program& program, formkit::Form& form, hostwin::ChatClient& chat)
    : program_(program), form_(form), chat_(chat) {
  using formkit::Event;
  On(When<Event::Load>(), [this] { Form_Load(); });
  On(When<Event::Click>(kTestLuck), [this] { Command1_Click(); });
  On(When<Event::Click>(kCancel), [this] { Command2_Click(); });
}

void SecretPanel::Form_Load() { form_.MakeTopmost(); }

void SecretPanel::Command1_Click() {
  // Each box is read only once every box before it has matched.
  if (form_[kSecretName].Text() != kAccessCode) {
    return;
  }
  if (form_[kPassword].Text() != kAccessCode) {
    return;
  }
  if (form_[kNumber].Text() == kAgeNumber) {
    program_.Show(formkit::FormId::Links);
    chat_.SayFaded(kFoundLine);
    program_.Hide(formkit::FormId::Secret);
  } else {
    chat_.SayFaded(kWrongNumberLine);
  }
}

void SecretPanel::Command2_Click() {
  bool first = true;
  for (int round = 0; round < kRounds; ++round) {
    for (const auto line : kSeries) {
      if (!first) {
        program_.WaitSeconds(1);
      }
      first = false;
      chat_.Say(line);
    }
  }
}

}  // namespace panels
