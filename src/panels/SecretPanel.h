#pragma once

#include <array>
#include <string_view>

#include "formkit/Program.h"
#include "forms/Form4.h"
#include "hostwin/ChatClient.h"

namespace panels {

// The lines the panel says in the room, faded: on the way to the links panel, and when only the
// third entry is wrong.
inline constexpr std::u16string_view kFoundLine = u"(o Y o)Secret Area Found(o Y o)";
inline constexpr std::u16string_view kWrongNumberLine =
    u"(_)_)I Love=Guyz=Im=Gay=Girls=Are=Ugly==D";

// "Cancel" says these plain, the whole group kRounds times; the blanks leading lines 1 and 4
// belong to them.
inline constexpr std::array<std::u16string_view, 4> kSeries = {
    u" I Love Guyz, Im Gay, Girls Are Ugly!",
    u"Girls A Nasty Guyz Are The Best",
    u"Burn In Hell Girlz, Guyz Rule",
    u" Being Gay Is The Best I Love Guyz",
};
inline constexpr int kRounds = 3;

// The hidden panel behind the chat trigger: three entries that unlock the links panel, and a
// button that floods the room with a fixed series of lines.
class SecretPanel final : public formkit::BehaviourOf<forms::kForm4> {
 public:
  SecretPanel(formkit::Program& program, formkit::Form& form, hostwin::ChatClient& chat);

 private:
  // The three entries, checked in this order; the labels, shapes and lines are only shown.
  static constexpr auto kSecretName = Ctl("Text1");
  static constexpr auto kPassword = Ctl("Text2");
  static constexpr auto kNumber = Ctl("Text3");
  static constexpr auto kTestLuck = Ctl("Command1");  // also Enter in a box
  static constexpr auto kCancel = Ctl("Command2");    // the prank series, not a way out

  void Form_Load();
  void Command1_Click();
  void Command2_Click();

  formkit::Program& program_;
  formkit::Form& form_;
  hostwin::ChatClient& chat_;
};

}  // namespace panels
