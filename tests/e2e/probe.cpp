// zibbet_probe: tells an end-to-end test what Zibbet's windows look like right now, as one JSON
// object, so that the test can aim real mouse clicks and check the result.
//   zibbet_probe              the windows
//   zibbet_probe restore N    restores FormN from the minimized state
//   zibbet_probe endsession N sends FormN the messages of a log-off
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// Asks the window itself: another process's control keeps its content to itself, and the title
// functions would only give what it was created with.
std::string Text(HWND window) {
  const auto length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const auto got = static_cast<int>(
      SendMessageW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data())));
  wide.resize(static_cast<std::size_t>(got < length ? got : length));
  const int units = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), units, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

std::string Rect(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return text;
}

// The client area in screen coordinates.
RECT ClientOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&client, origin.x, origin.y);
  return client;
}

std::string Children(HWND form) {
  std::string out = "[";
  bool first = true;
  for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    RECT r{};
    GetWindowRect(child, &r);
    const auto mask = static_cast<unsigned>(SendMessageW(child, EM_GETPASSWORDCHAR, 0, 0));
    out += first ? "" : ",";
    first = false;
    out += "{\"class\":" + Quote(name) + ",\"text\":" + Quote(Text(child)) +
           ",\"enabled\":" + (IsWindowEnabled(child) ? "true" : "false") +
           ",\"visible\":" + (IsWindowVisible(child) ? "true" : "false") +
           ",\"mask\":" + std::to_string(_stricmp(name, "Edit") == 0 ? mask : 0) +
           ",\"rect\":" + Rect(r) + "}";
  }
  return out + "]";
}

HWND FindForm(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "Zibbet.Form%d", number);
  return FindWindowA(name, nullptr);
}

// The chat client's first room's input box, for typing into it as the user does.
std::string HostInput() {
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  HWND area = frame ? FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
  for (HWND room = area ? FindWindowExA(area, nullptr, "AOL Child", nullptr) : nullptr; room;
       room = FindWindowExA(area, room, "AOL Child", nullptr)) {
    if (FindWindowExA(room, nullptr, "_AOL_Static", nullptr) == nullptr) {
      continue;
    }
    HWND transcript = FindWindowExA(room, nullptr, "RICHCNTL", nullptr);
    HWND input = transcript ? FindWindowExA(room, transcript, "RICHCNTL", nullptr) : nullptr;
    if (input != nullptr) {
      RECT r{};
      GetWindowRect(input, &r);
      return Rect(r);
    }
  }
  return "null";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "restore") == 0) {
    HWND form = FindForm(std::atoi(argv[2]));
    ShowWindow(form, SW_RESTORE);
    return form != nullptr ? 0 : 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "endsession") == 0) {
    // As the system does at log-off: asks, then tells that the session ends.
    HWND form = FindForm(std::atoi(argv[2]));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &result);
    SendMessageTimeoutA(form, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &result);
    return form != nullptr ? 0 : 1;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  std::string out = "{\"dpi\":" + std::to_string(dpi) + ",\"screen\":" + Rect(work) +
                    ",\"host\":" + (FindWindowA("AOL Frame25", nullptr) ? "true" : "false") +
                    ",\"hostInput\":" + HostInput() + ",\"forms\":{";
  bool first = true;
  for (int number = 1; number <= 5; ++number) {
    HWND form = FindForm(number);
    if (form == nullptr) {
      continue;
    }
    RECT window{};
    GetWindowRect(form, &window);
    const LONG style = GetWindowLongW(form, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(form, GWL_EXSTYLE);
    out += first ? "" : ",";
    first = false;
    out += "\"Form" + std::to_string(number) + "\":{\"caption\":" + Quote(Text(form)) +
           ",\"visible\":" + (IsWindowVisible(form) ? "true" : "false") +
           ",\"iconic\":" + (IsIconic(form) ? "true" : "false") +
           ",\"topmost\":" + ((exStyle & WS_EX_TOPMOST) ? "true" : "false") +
           ",\"titlebar\":" + (((style & WS_CAPTION) == WS_CAPTION) ? "true" : "false") +
           ",\"sysmenu\":" + ((style & WS_SYSMENU) ? "true" : "false") +
           ",\"sizable\":" + ((style & WS_THICKFRAME) ? "true" : "false") +
           ",\"window\":" + Rect(window) + ",\"client\":" + Rect(ClientOnScreen(form)) +
           ",\"children\":" + Children(form) + "}";
  }
  out += "}}";
  std::puts(out.c_str());
  return 0;
}
