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

#include "winkit/Text.h"

namespace {

constexpr UINT kAnswerMs = 5000;

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped,
                  c < 0x20 ? "\\u%04x" : (c == '"' || c == '\\' ? "\\%c" : "%c"), c);
    out += escaped;
  }
  return out + "\"";
}

// Asks the window itself: another process's control keeps its content to itself. Bounded: the
// other program may hang.
std::string Text(HWND window) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length) ==
      0) {
    return "<no answer>";
  }
  std::wstring wide(length + 1, L'\0');
  DWORD_PTR got = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()),
                          SMTO_ABORTIFHUNG, kAnswerMs, &got) == 0) {
    return "<no answer>";
  }
  wide.resize(got < length ? got : length);
  return winkit::ToUtf8(wide);
}

std::string Rect(RECT r) {
  char text[96];
  std::snprintf(text, sizeof text, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return text;
}

std::string Bool(bool value) { return value ? "true" : "false"; }

std::string Children(HWND form) {
  std::string out;
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    const bool edit = _stricmp(name, "Edit") == 0;
    RECT r{};
    GetWindowRect(child, &r);
    out += out.empty() ? "[" : ",";
    out += "{\"class\":" + Quote(name) + ",\"text\":" + Quote(Text(child)) +
           ",\"mask\":" + std::to_string(edit ? SendMessageW(child, EM_GETPASSWORDCHAR, 0, 0) : 0) +
           ",\"rect\":" + Rect(r) + "}";
  }
  return out.empty() ? "[]" : out + "]";
}

std::string FormClass(const char* number) { return "Zibbet.Form" + std::string(number); }

HWND FindForm(const char* number) { return FindWindowA(FormClass(number).c_str(), nullptr); }

// How many top-level windows of the form's class there are: more than one means two Zibbets.
int CountForms(const char* number) {
  const std::string name = FormClass(number);
  int count = 0;
  for (HWND form = FindWindowExA(nullptr, nullptr, name.c_str(), nullptr); form;
       form = FindWindowExA(nullptr, form, name.c_str(), nullptr)) {
    ++count;
  }
  return count;
}

// The class of the window in front, the one the user types into.
std::string Foreground() {
  char name[256] = {};
  HWND front = GetForegroundWindow();
  return front && GetClassNameA(GetAncestor(front, GA_ROOT), name, sizeof name) ? Quote(name)
                                                                                : "null";
}

// The screen rectangle of the chat client's first room's input box, for typing into it as the
// user does: the room is the document window with a title strip, the box its second rich edit.
std::string HostInput() {
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  HWND area = frame ? FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
  for (HWND room = area ? FindWindowExA(area, nullptr, "AOL Child", nullptr) : nullptr; room;
       room = FindWindowExA(area, room, "AOL Child", nullptr)) {
    HWND transcript = FindWindowExA(room, nullptr, "RICHCNTL", nullptr);
    HWND input = transcript ? FindWindowExA(room, transcript, "RICHCNTL", nullptr) : nullptr;
    RECT r{};
    if (FindWindowExA(room, nullptr, "_AOL_Static", nullptr) && input && GetWindowRect(input, &r)) {
      return Rect(r);
    }
  }
  return "null";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3) {
    HWND form = FindForm(argv[2]);
    DWORD_PTR result = 0;
    if (std::strcmp(argv[1], "restore") == 0) {
      ShowWindow(form, SW_RESTORE);
    } else {  // as the system does at log-off: asks, then tells that the session ends
      SendMessageTimeoutA(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, 0, kAnswerMs, &result);
      SendMessageTimeoutA(form, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, 0, kAnswerMs, &result);
    }
    return form != nullptr ? 0 : 1;
  }
  HDC screen = GetDC(nullptr);
  std::string out = "{\"dpi\":" + std::to_string(GetDeviceCaps(screen, LOGPIXELSY)) +
                    ",\"hostInput\":" + HostInput() + ",\"foreground\":" + Foreground() +
                    ",\"forms\":{";
  ReleaseDC(nullptr, screen);
  const char* separator = "";
  for (const char* number : {"1", "2", "3", "4", "5"}) {
    HWND form = FindForm(number);
    RECT window{};
    RECT client{};
    POINT origin{};
    if (form == nullptr || !GetWindowRect(form, &window) || !GetClientRect(form, &client) ||
        !ClientToScreen(form, &origin)) {
      continue;
    }
    OffsetRect(&client, origin.x, origin.y);
    out += separator;
    out += "\"Form" + std::string(number) + "\":{\"caption\":" + Quote(Text(form)) +
           ",\"windows\":" + std::to_string(CountForms(number)) +
           ",\"visible\":" + Bool(IsWindowVisible(form)) + ",\"iconic\":" + Bool(IsIconic(form)) +
           ",\"window\":" + Rect(window) + ",\"client\":" + Rect(client) +
           ",\"children\":" + Children(form) + "}";
    separator = ",";
  }
  std::puts((out + "}}").c_str());
  return 0;
}
