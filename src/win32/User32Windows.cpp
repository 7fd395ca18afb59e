#include "win32/User32Windows.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace win32 {
namespace {

constexpr UINT kBounded = SMTO_ABORTIFHUNG | SMTO_BLOCK;

// The message's result, or nothing when the window did not answer within the time.
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT milliseconds, bool wide = false) {
  DWORD_PTR result = 0;
  const auto send = wide ? SendMessageTimeoutW : SendMessageTimeoutA;
  if (send(window, message, wParam, lParam, kBounded, milliseconds, &result) == 0) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

// The text of bytes that may end in the middle of a double-byte character: such a lead byte is
// left out rather than turned into a stray character.
std::u16string WholeCharacters(std::string_view bytes) {
  std::size_t end = 0;
  while (end < bytes.size()) {
    const std::size_t step = IsDBCSLeadByte(static_cast<BYTE>(bytes[end])) != FALSE ? 2 : 1;
    if (end + step > bytes.size()) {
      break;
    }
    end += step;
  }
  return FromAnsi(bytes.substr(0, end));
}

}  // namespace

hostwin::Handle ToHandle(HWND window) {
  return static_cast<hostwin::Handle>(reinterpret_cast<std::uintptr_t>(window));
}

HWND ToHwnd(hostwin::Handle handle) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
}

hostwin::Handle User32Windows::FindTopLevel(std::u16string_view className) {
  const std::string name = ToAnsi(className);
  return ToHandle(FindWindowA(name.c_str(), nullptr));
}

hostwin::Handle User32Windows::FindChild(hostwin::Handle parent, hostwin::Handle after,
                                         std::u16string_view className) {
  // Never search under 0: user32 would read it as the desktop and return other programs' windows.
  if (parent == 0) {
    return 0;
  }
  const std::string name = ToAnsi(className);
  return ToHandle(FindWindowExA(ToHwnd(parent), ToHwnd(after), name.c_str(), nullptr));
}

int User32Windows::TitleLength(hostwin::Handle window) {
  return GetWindowTextLengthA(ToHwnd(window));
}

std::u16string User32Windows::Title(hostwin::Handle window, int capacity) {
  if (capacity <= 0) {
    return {};
  }
  std::vector<char> buffer(static_cast<std::size_t>(capacity), '\0');
  const int written = GetWindowTextA(ToHwnd(window), buffer.data(), capacity);
  if (written <= 0) {
    return {};
  }
  return WholeCharacters(std::string_view(buffer.data(), static_cast<std::size_t>(written)));
}

std::optional<int> User32Windows::TextLength(hostwin::Handle window) {
  // In characters. The ANSI form is no cheaper (the system may read the whole text to count
  // its bytes) and, under Wine, waits for a hung window without bound.
  const auto length = Send(ToHwnd(window), WM_GETTEXTLENGTH, 0, 0, kReadMilliseconds, true);
  if (!length || *length < 0) {
    return std::nullopt;
  }
  return static_cast<int>(*length);
}

std::optional<std::u16string> User32Windows::Text(hostwin::Handle window) {
  // A rich edit counts characters where the ANSI copy needs bytes (two for a double-byte
  // one), and the text may grow between the two messages. A copy that comes back empty or
  // fills the whole buffer may be cut or missing (a current rich edit copies nothing into a
  // buffer too small), so it is asked again with more room.
  constexpr int kTries = 4;
  constexpr std::size_t kSlack = 256;
  std::size_t capacity = 0;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    const auto length = TextLength(window);
    if (!length) {
      return std::nullopt;
    }
    if (*length == 0) {
      return std::u16string();
    }
    capacity = std::max(capacity * 2, 2 * static_cast<std::size_t>(*length) + kSlack);
    std::vector<char> buffer(capacity, '\0');
    const auto written = Send(ToHwnd(window), WM_GETTEXT, capacity,
                              reinterpret_cast<LPARAM>(buffer.data()), kReadMilliseconds);
    if (!written) {
      return std::nullopt;
    }
    if (*written > 0 && static_cast<std::size_t>(*written) + 1 < capacity) {
      return WholeCharacters(std::string_view(buffer.data(), static_cast<std::size_t>(*written)));
    }
  }
  return std::nullopt;
}

bool User32Windows::SetText(hostwin::Handle window, std::u16string_view text) {
  const std::string bytes = ToAnsi(text);
  return Send(ToHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str()),
              kSendMilliseconds)
      .has_value();
}

bool User32Windows::SendChar(hostwin::Handle window, char16_t code) {
  return Send(ToHwnd(window), WM_CHAR, static_cast<WPARAM>(code), 0, kSendMilliseconds).has_value();
}

bool User32Windows::CaretToEnd(hostwin::Handle window) {
  // Edit and rich edit boxes clamp positions past the end to the end, which spares counting
  // the text in the box's own units (bytes or characters).
  constexpr int kPastTheEnd = 0x7FFFFFFF;
  return Send(ToHwnd(window), EM_SETSEL, kPastTheEnd, kPastTheEnd, kSendMilliseconds).has_value();
}

}  // namespace win32
