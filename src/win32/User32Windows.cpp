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

// The longest text taken from another program, in UTF-16 units: a reply beyond it, or negative,
// is nonsense and the read fails.
constexpr LRESULT kLongestText = LRESULT{16} * 1024 * 1024;
// A copy's buffer is what the reported length may take and a margin: the client allocates about
// twice the buffer's units in bytes for the reply, twice again for an ANSI window, so a buffer
// much larger than the text costs it memory for nothing (an 8 MB transcript read into 2 x 8 Mi
// units made it find 64 MB a read). A copy that reaches into the margin may have been cut, and is
// asked again with twice the room.
constexpr std::size_t kMargin = 256;
constexpr std::size_t kMarginPerLength = 64;
// Wine's rich edit copies about 7,000 characters a millisecond; a slower client's long copy is
// waited for, on the reader's thread.
constexpr int kCharsPerMillisecond = 2 * 1024;
constexpr std::size_t kLongestBuffer = 2 * kLongestText + kMargin;

std::optional<int> Count(std::optional<LRESULT> reply) {
  if (!reply || *reply < 0 || *reply > kLongestText) {
    return std::nullopt;
  }
  return static_cast<int>(*reply);
}

// An ANSI window copies into as many bytes as the buffer has units, and counts its length in
// characters where a double-byte code page needs up to two bytes for one.
std::size_t Room(HWND window, int length) {
  CPINFO codePage{};
  const bool doubleBytes = IsWindowUnicode(window) == FALSE &&
                           GetCPInfo(CP_ACP, &codePage) != FALSE && codePage.MaxCharSize > 1;
  const auto units = static_cast<std::size_t>(length) * (doubleBytes ? 2 : 1);
  return units + kMargin + units / kMarginPerLength;
}

// Whether a copy into `capacity` units cannot have been cut at the buffer's end. An ANSI window
// copies bytes into as many as the buffer has units and never splits a double-byte character,
// so its copy is measured in the code page's bytes: one cut there fills all but the NUL, or one
// byte more before a character that did not fit.
bool Whole(HWND window, std::u16string_view copied, std::size_t capacity) {
  constexpr std::size_t kCutLeaves = 2;
  const std::size_t used = IsWindowUnicode(window) != FALSE ? copied.size() : ToAnsi(copied).size();
  return !copied.empty() && used + kCutLeaves < capacity;
}

}  // namespace

hostwin::Handle ToHandle(HWND window) {
  // The low 32 bits, the only significant ones: truncating is safe.
  return static_cast<hostwin::Handle>(reinterpret_cast<std::uintptr_t>(window));
}

HWND ToHwnd(hostwin::Handle handle) {
  // Sign-extended, as LongToHandle widens one; in a 32-bit program the same bits.
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(handle)));
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
  // Only WM_GETTEXT copies another program's text on every system: messages that carry a buffer
  // at or above WM_USER are not carried across processes at all, and under Wine the receiving
  // side of EM_GETLINE obeys a size word it never copied, overrunning the client's heap and
  // ending the client. Read wide, so the system converts and the code page stays out of this.
  // The text may grow between the length and the copy, and a current rich edit copies nothing
  // into a buffer too small: such a copy is asked again with more room, up to a bound.
  constexpr int kTries = 4;
  const HWND hwnd = ToHwnd(window);
  std::size_t capacity = 0;
  for (int attempt = 0; attempt < kTries && capacity < kLongestBuffer; ++attempt) {
    const auto length = TextLength(window);
    if (!length) {
      return std::nullopt;
    }
    if (*length == 0) {
      return std::u16string();
    }
    capacity = std::min(std::max(capacity * 2, Room(hwnd, *length)), kLongestBuffer);
    std::u16string buffer(capacity, u'\0');
    // A long text takes the client a while to copy, however well it answers.
    const auto wait = kReadMilliseconds + static_cast<UINT>(*length / kCharsPerMillisecond);
    const auto written =
        Send(hwnd, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer.data()), wait, true);
    if (!written) {
      return std::nullopt;
    }
    if (*written < 0 || static_cast<std::size_t>(*written) >= capacity) {
      continue;
    }
    buffer.resize(static_cast<std::size_t>(*written));
    if (Whole(hwnd, buffer, capacity)) {
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

std::optional<int> User32Windows::RowLength(hostwin::Handle window, int position) {
  if (position < 0) {
    return std::nullopt;
  }
  return Count(Send(ToHwnd(window), EM_LINELENGTH, static_cast<WPARAM>(position), 0,
                    kReadMilliseconds, true));
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
