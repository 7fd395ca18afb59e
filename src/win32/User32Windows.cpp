#include "win32/User32Windows.h"

#include <cstdint>
#include <vector>

namespace win32 {

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
  return FromAnsi(std::string_view(buffer.data(), static_cast<std::size_t>(written)));
}

int User32Windows::TextLength(hostwin::Handle window) {
  return static_cast<int>(SendMessageA(ToHwnd(window), WM_GETTEXTLENGTH, 0, 0));
}

std::u16string User32Windows::Text(hostwin::Handle window) {
  const int length = TextLength(window);
  if (length <= 0) {
    return {};
  }
  // WM_GETTEXTLENGTH may overstate (it counts bytes of multi-byte text); WM_GETTEXT says how
  // many it wrote.
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  const auto written = static_cast<std::size_t>(SendMessageA(
      ToHwnd(window), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
  return FromAnsi(std::string_view(buffer.data(), written < buffer.size() ? written : 0));
}

void User32Windows::SetText(hostwin::Handle window, std::u16string_view text) {
  const std::string bytes = ToAnsi(text);
  SendMessageA(ToHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
}

void User32Windows::SendChar(hostwin::Handle window, char16_t code) {
  SendMessageA(ToHwnd(window), WM_CHAR, static_cast<WPARAM>(code), 0);
}

}  // namespace win32
