#include "practicehost/Host.h"

#include <algorithm>
#include <vector>

#include "practicehost/Children.h"
#include "practicehost/Drawing.h"
#include "practicehost/Protocol.h"
#include "practicehost/Scale.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

constexpr char kFrameTitlePrefix[] = "Practice Host - ";
// In 96-dpi pixels, as every length here.
constexpr winkit::WindowPlace kFramePlace{.x = 20, .y = 20, .width = 960, .height = 700};
// The icon of practicehost.rc.
constexpr WORD kHostIcon = 1;
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

// The process's default heap first, where most of ours lives, then every other.
bool HeapsSound() {
  if (!HeapValidate(GetProcessHeap(), 0, nullptr)) {
    return false;
  }
  constexpr size_t kUsualHeaps = 16;
  std::vector<HANDLE> heaps(kUsualHeaps);
  const auto list = [&heaps] {
    return GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  };
  // A count beyond the room given leaves the handles unwritten.
  DWORD count = list();
  while (count > heaps.size()) {
    heaps.resize(count);
    count = list();
  }
  heaps.resize(count);
  return std::ranges::all_of(heaps,
                             [](HANDLE heap) { return HeapValidate(heap, 0, nullptr) != FALSE; });
}

}  // namespace

Host::Host(HINSTANCE instance, Options options)
    : instance_(instance), options_(std::move(options)) {}

bool Host::Start(std::string& error) {
  if (!log_.Open(options_.logPath)) {
    error = "cannot open the log file " + winkit::ToAnsi(options_.logPath);
    return false;
  }
  if (!classes_.Register(instance_, options_.transcript, error)) {
    return false;
  }
  uiFont_ = MakeFont(kUiFace, kUiFontHeight, FW_NORMAL);
  titleFont_ = MakeFont(kTitleFace, kTitleFontHeight, FW_BOLD);
  headingFont_ = MakeFont(kTitleFace, kHeadingFontHeight, FW_BOLD);
  if (!CreateFrame(error)) {
    return false;
  }
  if (options_.toolbar) {
    toolbar_.Create(Handle(), kToolbarStripId);
  }
  sayPanel_.Create(Handle(), kSayPanelId, options_.rooms);
  CreateChildren(Handle(), {{kStatusId, "Static", "Ready.",
                             SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_SUNKEN, 0, UiFont()}});
  RECT client;
  GetClientRect(Handle(), &client);
  Layout(client.right, client.bottom);
  if (!documents_.Create(mdiClient_, error)) {
    return false;
  }
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
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
  CheckHeaps();
  return static_cast<int>(message.wParam);
}

LRESULT Host::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      mdiClient_ = nullptr;
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

LRESULT Host::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefFrameProcA(Handle(), mdiClient_, message, wParam, lParam);
}

bool Host::CreateFrame(std::string& error) {
  const std::wstring className = winkit::WideFromAnsi(kFrameClass);
  const winkit::WindowClass frameClass{.name = className.c_str(),
                                       .style = CS_HREDRAW | CS_VREDRAW,
                                       .cursor = LoadCursor(nullptr, IDC_ARROW),
                                       .background = SystemColorBrush(COLOR_APPWORKSPACE),
                                       .icon = LoadIcon(instance_, MAKEINTRESOURCE(kHostIcon)),
                                       .ansi = true};
  const std::wstring title = winkit::WideFromAnsi(kFrameTitlePrefix + options_.screenName);
  const winkit::WindowPlace place{.x = Px(kFramePlace.x),
                                  .y = Px(kFramePlace.y),
                                  .width = Px(kFramePlace.width),
                                  .height = Px(kFramePlace.height)};
  if (!Create(instance_, frameClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
              place)) {
    error = "cannot create the frame window";
    return false;
  }
  CLIENTCREATESTRUCT client{nullptr, kFirstMdiChildId};
  mdiClient_ = CreateWindowExA(
      WS_EX_CLIENTEDGE, kMdiClientClass, nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMdiClientId)), instance_, &client);
  if (!mdiClient_) {
    error = "cannot create the MDI client window";
    return false;
  }
  return true;
}

void Host::Layout(int width, int height) {
  const int toolbarHeight = Px(kToolbarHeight);
  const int panelHeight = Px(kSayPanelHeight);
  const int statusHeight = Px(kStatusHeight);
  int top = 0;
  if (const HWND toolbar = toolbar_.Window()) {
    MoveWindow(toolbar, 0, 0, width, toolbarHeight, TRUE);
    top = toolbarHeight;
  }
  const int statusTop = height - statusHeight;
  const int panelTop = statusTop - panelHeight;
  MoveWindow(GetDlgItem(Handle(), kStatusId), 0, statusTop, width, statusHeight, TRUE);
  if (const HWND panel = sayPanel_.Window()) {
    MoveWindow(panel, 0, panelTop, width, panelHeight, TRUE);
  }
  if (mdiClient_) {
    MoveWindow(mdiClient_, 0, top, width, std::max(0, panelTop - top), TRUE);
  }
}

bool Host::CheckHeaps() {
  const bool sound = HeapsSound();
  log_.Heap(sound);
  return sound;
}

bool Host::OnCopyData(const COPYDATASTRUCT& data) {
  if (data.dwData == kCheckHeapData) {
    return CheckHeaps();
  }
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
  if (const HWND status = GetDlgItem(Handle(), kStatusId)) {
    SetWindowTextA(status, text.c_str());
  }
}

}  // namespace practicehost
