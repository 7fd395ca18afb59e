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

// The longest text and row taken from another program, in UTF-16 units: a reply beyond it, or
// negative, is nonsense and the read fails.
constexpr LRESULT kLongestText = LRESULT{16} * 1024 * 1024;
// A window of the ANSI kind copies into as many bytes as the wide buffer has units (the system
// converts afterwards) and never splits a double-byte character, so a copy cut one byte short
// of the end looks whole in units. At most two bytes a unit: a copy that fills less than half
// the buffer was not cut.
constexpr std::size_t kBytesPerUnit = 2;
constexpr std::size_t kSlack = 256;
constexpr int kCharsPerMillisecond = 16 * 1024;
constexpr std::size_t kLongestBuffer = kBytesPerUnit * kLongestText + kSlack;
// EM_GETLINE's buffer size is a WORD; Wine carries no reply much beyond 64 KiB.
constexpr std::size_t kLongestRowBuffer = 16 * 1024;

std::optional<int> Count(std::optional<LRESULT> reply) {
  if (!reply || *reply < 0 || *reply > kLongestText) {
    return std::nullopt;
  }
  return static_cast<int>(*reply);
}

// A buffer, in units, that takes `length` units of text whole whatever the window's kind.
std::size_t Room(int length) { return kBytesPerUnit * static_cast<std::size_t>(length) + kSlack; }

// Whether a copy of `written` units into `capacity` cannot have been cut at the buffer's end.
bool Whole(LRESULT written, std::size_t capacity) {
  return written > 0 &&
         kBytesPerUnit * static_cast<std::size_t>(written) + kBytesPerUnit < capacity;
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
  return Count(Send(ToHwnd(window), WM_GETTEXTLENGTH, 0, 0, kReadMilliseconds, true));
}

std::optional<std::u16string> User32Windows::Text(hostwin::Handle window) {
  // Read wide, so the system converts and the code page stays out of this. The text may grow
  // between the length and the copy, and a current rich edit copies nothing into a buffer too
  // small: such a copy is asked again with more room, up to a bound.
  constexpr int kTries = 4;
  std::size_t capacity = 0;
  for (int attempt = 0; attempt < kTries && capacity < kLongestBuffer; ++attempt) {
    const auto length = TextLength(window);
    if (!length) {
      return std::nullopt;
    }
    if (*length == 0) {
      return std::u16string();
    }
    capacity = std::min(std::max(capacity * 2, Room(*length)), kLongestBuffer);
    std::u16string buffer(capacity, u'\0');
    // A long text takes the client a while to copy, however well it answers.
    const auto wait = kReadMilliseconds + static_cast<UINT>(*length / kCharsPerMillisecond);
    const auto written = Send(ToHwnd(window), WM_GETTEXT, capacity,
                              reinterpret_cast<LPARAM>(buffer.data()), wait, true);
    if (!written) {
      return std::nullopt;
    }
    if (Whole(*written, capacity)) {
      buffer.resize(static_cast<std::size_t>(*written));
      return buffer;
    }
  }
  return std::nullopt;
}

std::optional<int> User32Windows::RowCount(hostwin::Handle window) {
  const auto count = Count(Send(ToHwnd(window), EM_GETLINECOUNT, 0, 0, kReadMilliseconds, true));
  return count && *count > 0 ? count : std::nullopt;
}

std::optional<int> User32Windows::RowStart(hostwin::Handle window, int row) {
  if (row < 0) {
    return std::nullopt;
  }
  // -1, a row that is not there, is refused with every other negative answer.
  return Count(
      Send(ToHwnd(window), EM_LINEINDEX, static_cast<WPARAM>(row), 0, kReadMilliseconds, true));
}

std::optional<int> User32Windows::RowAt(hostwin::Handle window, int position) {
  if (position < 0) {
    return std::nullopt;
  }
  return Count(Send(ToHwnd(window), EM_LINEFROMCHAR, static_cast<WPARAM>(position), 0,
                    kReadMilliseconds, true));
}

std::optional<std::u16string> User32Windows::RowText(hostwin::Handle window, int row, int start) {
  const auto length = Count(
      Send(ToHwnd(window), EM_LINELENGTH, static_cast<WPARAM>(start), 0, kReadMilliseconds, true));
  if (!length) {
    return std::nullopt;
  }
  // An empty row is not copied (Wine's rich edit answers that with nonsense): it is an empty
  // line, unless it is the last row.
  if (*length == 0) {
    const auto next = Send(ToHwnd(window), EM_LINEINDEX, static_cast<WPARAM>(row) + 1, 0,
                           kReadMilliseconds, true);
    return next ? std::optional<std::u16string>(*next >= 0 ? u"\r" : u"") : std::nullopt;
  }
  // The buffer's first unit holds its size, so a row too long for it is read some other way.
  const std::size_t capacity = Room(*length);
  if (capacity > kLongestRowBuffer) {
    return std::nullopt;
  }
  std::u16string buffer(capacity, u'\0');
  buffer[0] = static_cast<char16_t>(capacity);
  const auto copied = Send(ToHwnd(window), EM_GETLINE, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(buffer.data()), kReadMilliseconds, true);
  if (!copied || !Whole(*copied, capacity)) {
    return std::nullopt;
  }
  buffer.resize(static_cast<std::size_t>(*copied));
  return buffer;
}

bool User32Windows::Answers(hostwin::Handle window) {
  return Send(ToHwnd(window), WM_NULL, 0, 0, kPingMilliseconds, true).has_value();
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
