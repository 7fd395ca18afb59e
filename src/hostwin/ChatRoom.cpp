#include "hostwin/ChatRoom.h"

#include <algorithm>
#include <array>
#include <optional>

namespace hostwin {
namespace {

constexpr std::u16string_view kWelcome = u"Welcome, ";
constexpr char16_t kNameEnd = u'!';

// The client's document area, or 0. A missing step ends the walk rather than searching under
// handle 0, which would reach other programs' top-level windows.
Handle FindDocumentArea(WindowAccess& windows) {
  const Handle frame = windows.FindTopLevel(kFrameClass);
  if (frame == 0) {
    return 0;
  }
  return windows.FindChild(frame, 0, kDocumentAreaClass);
}

bool IsChatRoom(WindowAccess& windows, Handle candidate) {
  static constexpr std::array kRoomParts = {kRichTextClass, kListClass, kIconClass, kStaticClass};
  bool all = true;
  for (const auto part : kRoomParts) {
    // Every part is looked up, also after a miss: the walk is the same for every window.
    all = windows.FindChild(candidate, 0, part) != 0 && all;
  }
  return all;
}

}  // namespace

Handle FindChatRoom(WindowAccess& windows) {
  const Handle area = FindDocumentArea(windows);
  if (area == 0) {
    return 0;
  }
  for (Handle candidate = windows.FindChild(area, 0, kDocumentClass); candidate != 0;
       candidate = windows.FindChild(area, candidate, kDocumentClass)) {
    if (IsChatRoom(windows, candidate)) {
      return candidate;
    }
  }
  return 0;
}

void SendToChat(WindowAccess& windows, std::u16string_view text) {
  const Handle room = FindChatRoom(windows);
  if (room == 0) {
    return;
  }
  const Handle transcript = windows.FindChild(room, 0, kRichTextClass);
  const Handle box = transcript == 0 ? 0 : windows.FindChild(room, transcript, kRichTextClass);
  if (box == 0) {
    return;
  }
  TypeInto(windows, box, text, std::u16string_view(&kEnter, 1));
}

void TypeInto(WindowAccess& windows, Handle box, std::u16string_view text,
              std::u16string_view keys) {
  const std::optional<std::u16string> typed = windows.Text(box);
  // When the box did not take the text in time, a key would act on whatever it holds.
  if (!typed || !windows.SetText(box, text)) {
    return;
  }
  const bool taken = std::all_of(keys.begin(), keys.end(),
                                 [&](char16_t key) { return windows.SendChar(box, key); });
  if (typed->empty() && taken) {
    return;
  }
  // A key that timed out may still be taken later: it is ahead of this text in the queue.
  if (windows.SetText(box, *typed) && !typed->empty()) {
    windows.CaretToEnd(box);
  }
}

std::u16string ReadWindowTitle(WindowAccess& windows, Handle window) {
  if (window == 0) {
    return {};
  }
  const int length = windows.TitleLength(window);
  if (length <= 0) {
    return {};
  }
  const auto reported = static_cast<std::size_t>(length);
  std::u16string title = windows.Title(window, length + 1);
  title.resize(reported, u'\0');
  return title;
}

std::u16string GetScreenName(WindowAccess& windows) {
  const Handle area = FindDocumentArea(windows);
  if (area == 0) {
    return {};
  }
  for (Handle candidate = windows.FindChild(area, 0, kDocumentClass); candidate != 0;
       candidate = windows.FindChild(area, candidate, kDocumentClass)) {
    const std::u16string title = ReadWindowTitle(windows, candidate);
    if (!title.starts_with(kWelcome)) {
      continue;
    }
    const auto end = title.find(kNameEnd, kWelcome.size());
    // A greeting without "!" names nobody; such a window is not the welcome window.
    if (end != std::u16string::npos) {
      return title.substr(kWelcome.size(), end - kWelcome.size());
    }
  }
  return {};
}

}  // namespace hostwin
