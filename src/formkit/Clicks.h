#pragma once

#include <cstddef>
#include <optional>
#include <utility>

namespace formkit {

// What the left button raises over a form window. A control clicks as everywhere on the
// desktop: on the release over the control that was pressed, so a press slid off before letting
// go does nothing. The window's own surface acts on the press, because its Click starts a drag,
// which must begin while the button is down. A quick second press (the system's double-click)
// raises DblClick at once, on a control as on the surface.
class Clicks {
 public:
  enum class Event { kNone, kClick, kDblClick };
  struct Raised {
    Event event = Event::kNone;
    std::optional<std::size_t> control;  // none: the window itself
    bool operator==(const Raised&) const = default;
  };

  // `control` is the clickable control under the pointer, none over the bare surface.
  Raised Press(std::optional<std::size_t> control, bool twice) {
    pressed_.reset();
    if (twice || !control) {
      return {twice ? Event::kDblClick : Event::kClick, control};
    }
    pressed_ = control;
    return {};
  }
  Raised Release(std::optional<std::size_t> control) {
    const auto pressed = std::exchange(pressed_, std::nullopt);
    return pressed && pressed == control ? Raised{Event::kClick, control} : Raised{};
  }
  // Whether a control waits for its release: the window then holds the mouse, so that the
  // release comes to it wherever the pointer is.
  bool Holding() const { return pressed_.has_value(); }
  // The mouse was taken away before the release (another window captured it): no click.
  void Cancel() { pressed_.reset(); }

 private:
  std::optional<std::size_t> pressed_;
};

}  // namespace formkit
