#pragma once

#include <array>
#include <string_view>

#include "Zibbet.h"
#include "forms/Program.h"

namespace panels {

// The lines "__" and "X" say in the room, faded, before the panel goes.
inline constexpr std::u16string_view kMinimizeLine = u"(o Y o)To Much Gotta Put This Down(o Y o)";
inline constexpr std::u16string_view kCloseLine = u"(o Y o)That Felt Good To Cum(o Y o)";

// A link button and the address it opens in the chat client.
struct Link {
  std::string_view button;
  std::u16string_view address;
};

// The twelve built-in addresses, by button.
const std::array<Link, 12>& Links();

// The area behind the secret panel: twelve buttons that open picture collections through the
// client's keyword box, and its own minimize and close labels.
class LinksPanel final : public forms::Behaviour {
 public:
  LinksPanel(forms::Program& program, forms::Form& form, zibbet::ChatClient& chat);

 private:
  void Form_Load();
  void Form_Click();
  void Form_DblClick();
  void Label2_Click();
  void Label3_Click();

  forms::Program& program_;
  forms::Form& form_;
  zibbet::ChatClient& chat_;
};

}  // namespace panels
