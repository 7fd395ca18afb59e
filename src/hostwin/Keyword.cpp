#include "hostwin/Keyword.h"

#include <array>

#include "hostwin/ChatRoom.h"

namespace hostwin {

void OpenKeyword(WindowAccess& windows, std::u16string_view text) {
  static constexpr std::array<std::u16string_view, 4> kToolbarPath = {
      u"AOL Toolbar", u"_AOL_Toolbar", u"_AOL_Combobox", u"Edit"};
  Handle window = windows.FindTopLevel(kFrameClass);
  for (const auto step : kToolbarPath) {
    if (window == 0) {
      return;
    }
    window = windows.FindChild(window, 0, step);
  }
  if (window == 0) {
    return;
  }
  constexpr char16_t kSpace = 32;
  // A box that did not take one step in time gets none of the later ones.
  if (windows.SetText(window, text) && windows.SendChar(window, kSpace)) {
    windows.SendChar(window, kEnter);
  }
}

}  // namespace hostwin
