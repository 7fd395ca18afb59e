#include "panels/SecretPanel.h"

namespace panels {
namespace {

constexpr std::u16string_view kAccessCode = u"vemm";
constexpr std::u16string_view kAgeNumber = u"18";

}  // namespace

SecretPanel::SecretPanel(forms::Program& program, forms::Form& form, zibbet::ChatClient& chat)
    : program_(program), form_(form), chat_(chat) {
  On("Form_Load", [this] { Form_Load(); });
  On("Command1_Click", [this] { Command1_Click(); });
  On("Command2_Click", [this] { Command2_Click(); });
}

void SecretPanel::Form_Load() { form_.MakeTopmost(); }

void SecretPanel::Command1_Click() {
  // Each box is read only once every box before it has matched.
  if (form_["Text1"].Text() != kAccessCode) {
    return;
  }
  if (form_["Text2"].Text() != kAccessCode) {
    return;
  }
  if (form_["Text3"].Text() == kAgeNumber) {
    program_.Show(forms::FormId::Form3);
    chat_.SayFaded(kFoundLine);
    program_.Hide(forms::FormId::Form4);
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
