#include "practicehost/Host.h"

#include <algorithm>

#include "practicehost/Drawing.h"
#include "practicehost/Protocol.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

constexpr char kFrameTitlePrefix[] = "Practice Host - ";
constexpr int kFrameX = 20;
constexpr int kFrameY = 20;
constexpr int kFrameWidth = 960;
constexpr int kFrameHeight = 700;
constexpr int kToolbarHeight = 40;
constexpr int kSayPanelHeight = 36;
constexpr int kStatusHeight = 22;
enum FrameChildId { kMdiClientId = 1, kToolbarStripId, kSayPanelId, kStatusId };
constexpr UINT kFirstMdiChildId = 1000;

constexpr char kUiFace[] = "Tahoma";
constexpr char kTitleFace[] = "Arial";
constexpr int kUiFontHeight = -13;
constexpr int kTitleFontHeight = -18;
constexpr int kHeadingFontHeight = -20;

}  // namespace

Host::Host(HINSTANCE instance, Options options)
    : instance_(instance), options_(std::move(options)) {}

bool Host::Start(std::string& error) {
  if (!log_.Open(options_.logPath)) {
    error = "cannot open the log file " + winkit::ToAnsi(options_.logPath);
    return false;
  }
  if (!classes_.Register(instance_, error)) {
    return false;
  }
  uiFont_ = MakeFont(kUiFace, kUiFontHeight, FW_NORMAL);
  titleFont_ = MakeFont(kTitleFace, kTitleFontHeight, FW_BOLD);
  headingFont_ = MakeFont(kTitleFace, kHeadingFontHeight, FW_BOLD);
  if (!CreateFrame(error)) {
    return false;
  }
  if (options_.toolbar) {
    toolbar_.Create(frame_.Get(), kToolbarStripId);
  }
  sayPanel_.Create(frame_.Get(), kSayPanelId, options_.rooms);
  status_ = CreateChild("Static", "Ready.", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_SUNKEN,
                        frame_.Get(), kStatusId);
  SetFont(status_, UiFont());
  RECT client;
  GetClientRect(frame_.Get(), &client);
  Layout(client.right, client.bottom);
  if (!documents_.Create(mdiClient_, error)) {
    return false;
  }
  ShowWindow(frame_.Get(), SW_SHOW);
  UpdateWindow(frame_.Get());
  documents_.Arrange(mdiClient_);
  log_.Ready(GetCurrentProcessId());
  return true;
}

int Host::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (mdiClient_ && TranslateMDISysAccel(mdiClient_, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Host::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<Host*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
  if (!host) {
    return DefFrameProcA(frame, nullptr, message, wParam, lParam);
  }
  return host->OnFrameMessage(frame, message, wParam, lParam);
}

LRESULT Host::OnFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      // Not passed on: DefFrameProc would give the MDI client the whole frame.
      if (wParam != SIZE_MINIMIZED) {
        Layout(LOWORD(lParam), HIWORD(lParam));
      }
      return 0;
    case kHangMessage:
      // Logged first, so that whoever asked knows from when on the host does not answer.
      log_.Hang(static_cast<int>(wParam));
      Sleep(static_cast<DWORD>(std::min<WPARAM>(wParam, kLongestHangMs)));
      return 0;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      return data && OnCopyData(*data) ? TRUE : FALSE;
    }
    case WM_DESTROY:
      frame_.Release();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
      mdiClient_ = nullptr;
      return DefFrameProcA(frame, nullptr, message, wParam, lParam);
    default:
      return DefFrameProcA(frame, mdiClient_, message, wParam, lParam);
  }
}

bool Host::CreateFrame(std::string& error) {
  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof frameClass;
  frameClass.style = CS_HREDRAW | CS_VREDRAW;
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance_;
  frameClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
  frameClass.lpszClassName = kFrameClass;
  if (!classes_.Add(frameClass, error)) {
    return false;
  }

  const std::string title = kFrameTitlePrefix + options_.screenName;
  frame_.Reset(CreateWindowExA(0, kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               kFrameX, kFrameY, kFrameWidth, kFrameHeight, nullptr, nullptr,
                               instance_, this));
  if (!frame_.Get()) {
    error = "cannot create the frame window";
    return false;
  }
  CLIENTCREATESTRUCT client{nullptr, kFirstMdiChildId};
  mdiClient_ = CreateWindowExA(
      WS_EX_CLIENTEDGE, kMdiClientClass, nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, frame_.Get(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMdiClientId)), instance_, &client);
  if (!mdiClient_) {
    error = "cannot create the MDI client window";
    return false;
  }
  return true;
}

void Host::Layout(int width, int height) {
  int top = 0;
  if (const HWND toolbar = toolbar_.Window()) {
    MoveWindow(toolbar, 0, 0, width, kToolbarHeight, TRUE);
    top = kToolbarHeight;
  }
  const int statusTop = height - kStatusHeight;
  const int panelTop = statusTop - kSayPanelHeight;
  if (status_) {
    MoveWindow(status_, 0, statusTop, width, kStatusHeight, TRUE);
  }
  if (const HWND panel = sayPanel_.Window()) {
    MoveWindow(panel, 0, panelTop, width, kSayPanelHeight, TRUE);
  }
  if (mdiClient_) {
    MoveWindow(mdiClient_, 0, top, width, std::max(0, panelTop - top), TRUE);
  }
}

bool Host::OnCopyData(const COPYDATASTRUCT& data) {
  Room* room = data.dwData >= 1 ? RoomAt(data.dwData - 1) : nullptr;
  if (!room) {
    return false;
  }
  const std::string_view bytes =
      data.lpData ? std::string_view(static_cast<const char*>(data.lpData), data.cbData)
                  : std::string_view();
  const std::optional<CopyDataLine> line = DecodeCopyData(bytes);
  return line && room->Say(line->sender, line->text);
}

void Host::SetStatus(const std::string& text) {
  if (status_) SetWindowTextA(status_, text.c_str());
}

}  // namespace practicehost
