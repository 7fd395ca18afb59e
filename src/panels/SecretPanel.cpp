// Form4, the secret panel. Its controls:
//   Text1: the secret name   Text2: the password (masked)   Text3: the age number (masked)
//   Command1: Test Luck (also Enter in a box)      Command2: Cancel (the prank series)
// The labels, shapes and lines are only shown.
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
  On(When<Event::Click>("Command1"), [this] { Command1_Click(); });
  On(When<Event::Click>("Command2"), [this] { Command2_Click(); });
}

void SecretPanel::Form_Load() { form_.MakeTopmost(); }

void SecretPanel::Command1_Click() {
  // Each box is read only once every box before it has matched.
  if (form_[Ctl("Text1")].Text() != kAccessCode) {
    return;
  }
  if (form_[Ctl("Text2")].Text() != kAccessCode) {
    return;
  }
  if (form_[Ctl("Text3")].Text() == kAgeNumber) {
    program_.Show(formkit::FormId::Form3);
    chat_.SayFaded(kFoundLine);
    program_.Hide(formkit::FormId::Form4);
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
