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
  // The box's old text is the address it opened last: replaced, not put back, as any address
  // box does. A text the box did not take in time would leave a key acting on the old one.
  if (windows.SetText(window, text) && windows.SendChar(window, u' ')) {
    windows.SendChar(window, kEnter);
  }
}

}  // namespace hostwin
