#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "formkit/Description.h"

// A window's events, named by its description: a handler is registered for an event that the
// description says the window or one of its controls raises, and a wrong name or event fails the
// build. At run time an event travels as a control's place and a kind, never as a name.
namespace formkit {

enum class Event { Load, Unload, Click, DblClick, Timer, ChatMsg };

// The events a control of that kind raises.
constexpr bool Raises(Kind kind, Event event) {
  switch (kind) {
    case Kind::Label:
    case Kind::Image:
    case Kind::PictureBox:
      return event == Event::Click || event == Event::DblClick;
    case Kind::Button:
      return event == Event::Click;
    case Kind::Timer:
      return event == Event::Timer;
    case Kind::ChatScanner:
      return event == Event::ChatMsg;
    case Kind::TextBox:
    case Kind::Shape:
    case Kind::Line:
      break;
  }
  return false;
}

// The events of the window itself.
constexpr bool WindowRaises(Event event) {
  return event == Event::Load || event == Event::Unload || event == Event::Click ||
         event == Event::DblClick;
}

// Where an event comes from: a control, by its place in the window's description, or with none
// the window itself.
struct EventSource {
  std::optional<std::size_t> control;
  Event event = Event::Click;
  bool operator==(const EventSource&) const = default;
};

constexpr bool Raises(const FormDesc& form, const EventSource& source) {
  if (!source.control) {
    return WindowRaises(source.event);
  }
  return *source.control < form.controls.size() &&
         Raises(form.controls[*source.control].kind, source.event);
}

// What an event hands its handler: the chat scanner's line event gives the sender and the line.
struct Arguments {
  std::u16string screenName;
  std::u16string whatSaid;
};

// An event checked against a description when the program is compiled; the kind of event fixes
// the handler's signature.
template <Event E>
struct EventOf {
  EventSource source;
};
template <Event E>
using HandlerOf = std::conditional_t<
    E == Event::ChatMsg,
    std::function<void(std::u16string_view screenName, std::u16string_view whatSaid)>,
    std::function<void()>>;

// One of a window's controls, checked against its description when the program is compiled.
template <const FormDesc& D>
struct ControlIn {
  std::size_t index;
};

// The checks behind BehaviourOf's consteval names: evaluated while compiling, reaching a throw
// fails the build, with the throw as the reason.
template <const FormDesc& D>
constexpr ControlIn<D> ControlNamed(std::string_view name) {
  const std::optional<std::size_t> index = IndexOf(D, name);
  if (!index) {
    throw "the window has no control of that name";
  }
  return {*index};
}

template <const FormDesc& D, Event E>
constexpr EventOf<E> ControlEvent(ControlIn<D> control) {
  if (!Raises(D.controls[control.index].kind, E)) {
    throw "a control of that kind raises no such event";
  }
  return {{control.index, E}};
}

template <const FormDesc& D, Event E>
constexpr EventOf<E> ControlEvent(std::string_view control) {
  return ControlEvent<D, E>(ControlNamed<D>(control));
}

template <Event E>
constexpr EventOf<E> WindowEvent() {
  if (!WindowRaises(E)) {
    throw "a window raises no such event";
  }
  return {{std::nullopt, E}};
}

}  // namespace formkit
