#include "win32/formkit/FormWindow.h"

#include <string>
#include <string_view>
#include <utility>

#include "formkit/Display.h"
#include "winkit/Dpi.h"
#include "winkit/Text.h"
#include "winkit/WindowMoves.h"

namespace formkit_win32 {
namespace {

constexpr std::wstring_view kClassPrefix = L"Zibbet.";
constexpr DWORD kFormExStyle = 0;

DWORD FrameStyle(formkit::FrameStyle frame) {
  switch (frame) {
    case formkit::FrameStyle::None:
      return WS_POPUP;
    case formkit::FrameStyle::FixedWithTitle:
      // No WS_SYSMENU: a bare caption without menu or buttons.
      return WS_OVERLAPPED | WS_CAPTION;
    case formkit::FrameStyle::Sizable:
      break;
  }
  return WS_OVERLAPPEDWINDOW;
}

// Centred on the whole screen, as a window without an owner is.
POINT CentredOnScreen(int width, int height) {
  return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
          (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

}  // namespace

std::wstring WindowClassName(std::string_view formName) {
  return std::wstring(kClassPrefix) + winkit::WideFromUtf8(formName);
}

POINT Cascade::Next(int width, int height) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME) +
                   GetSystemMetrics(SM_CXPADDEDBORDER);
  POINT place{work.left + count_ * step, work.top + count_ * step};
  if (count_ > 0 && (place.x + width > work.right || place.y + height > work.bottom)) {
    count_ = 0;
    place = {work.left, work.top};
  }
  ++count_;
  return place;
}

bool PreTranslateFormMessage(MSG& message) {
  if (message.message != WM_KEYDOWN || message.hwnd == nullptr) {
    return false;
  }
  FormWindow* form = FormWindow::FromHandle(GetAncestor(message.hwnd, GA_ROOT));
  return form != nullptr && form->PreTranslate(message);
}

FormWindow* FormWindow::FromHandle(HWND window) {
  return dynamic_cast<FormWindow*>(winkit::Window::FromHandle(window));
}

FormWindow::FormWindow(formkit::Program& program, formkit::Form& form, HINSTANCE module,
                       Cascade& cascade)
    : program_(program),
      form_(form),
      module_(module),
      dpi_(winkit::SystemDpi()),
      context_{.program = program, .form = form, .module = module, .presses = *this} {
  const std::size_t count = form_.Controls().size();
  for (std::size_t i = 0; i < count; ++i) {
    views_.push_back(MakeView(context_, i));
  }
  CreateFormWindow(cascade);
  if (Handle() == nullptr) {
    return;
  }
  context_.window = Handle();
  for (const auto& view : views_) {
    view->Create();
  }
  // Stored order is front to back: put each child below the ones before it.
  for (const auto& view : views_) {
    if (HWND child = view->Window()) {
      constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
      SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, kOrderOnly);
    }
  }
}

FormWindow::~FormWindow() {
  Destroy();  // with its children, before the views, fonts and pictures they use
}

SIZE FormWindow::FrameSize(int dpi) const {
  const formkit::FormDesc& desc = form_.Desc();
  const RECT client{0, 0, formkit::TwipsToPixels(desc.clientWidth, dpi),
                    formkit::TwipsToPixels(desc.clientHeight, dpi)};
  const RECT frame =
      winkit::FrameAround(client, WS_CLIPCHILDREN | FrameStyle(desc.frame), kFormExStyle, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void FormWindow::CreateFormWindow(Cascade& cascade) {
  const formkit::FormDesc& desc = form_.Desc();
  const auto placeFor = [&](SIZE size) {
    return desc.start == formkit::StartPosition::CenterScreen ? CentredOnScreen(size.cx, size.cy)
                                                              : cascade.Next(size.cx, size.cy);
  };
  SIZE size = FrameSize(dpi_);
  POINT place = placeFor(size);
  // At the scale of the monitor it opens on; centred again at that size.
  const int there = winkit::MonitorDpi({place.x + size.cx / 2, place.y + size.cy / 2});
  if (there != dpi_) {
    dpi_ = there;
    size = FrameSize(dpi_);
    if (desc.start == formkit::StartPosition::CenterScreen) {
      place = placeFor(size);
    }
  }
  resources_ = std::make_unique<FormResources>(module_, desc, dpi_);
  context_.resources = resources_.get();

  const std::wstring className = WindowClassName(desc.name);
  const std::wstring caption = winkit::Wide(desc.caption);
  if (!Create(module_, {.name = className.c_str()}, caption.c_str(),
              WS_CLIPCHILDREN | FrameStyle(desc.frame), kFormExStyle,
              {place.x, place.y, size.cx, size.cy})) {
    context_.ReportUnmade(desc.name);
    return;
  }
  // The system may know better where the window went.
  if (const int actual = winkit::WindowDpi(Handle()); actual != 0 && actual != dpi_) {
    Rescale(actual, nullptr);
  }
  if (HICON big = resources_->BigIcon()) {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  }
  if (HICON small = resources_->SmallIcon()) {
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

void FormWindow::Rescale(int dpi, const RECT* frame) {
  // The old pictures and fonts stay until the children have let go of them.
  const std::unique_ptr<FormResources> previous =
      std::exchange(resources_, std::make_unique<FormResources>(module_, form_.Desc(), dpi));
  context_.resources = resources_.get();
  dpi_ = dpi;
  RECT place{};
  if (frame != nullptr) {
    place = *frame;
  } else {
    GetWindowRect(Handle(), &place);
    const SIZE size = FrameSize(dpi);
    place.right = place.left + size.cx;
    place.bottom = place.top + size.cy;
  }
  constexpr UINT kKeepOrder = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(Handle(), nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, kKeepOrder);
  for (const auto& view : views_) {
    view->Layout();
  }
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void FormWindow::OnDpiChanged(WPARAM wParam, const RECT* suggested) {
  const int dpi = winkit::DpiFromMessage(wParam);
  if (dpi == 0) {
    return;
  }
  // The system's rectangle keeps the window where the user put it; one that could not hold the
  // window at the new scale is not the system's, and the window keeps its top left instead.
  const SIZE wanted = FrameSize(dpi);
  const bool sane = suggested != nullptr && suggested->right - suggested->left >= wanted.cx / 2 &&
                    suggested->right - suggested->left <= wanted.cx * 2 &&
                    suggested->bottom - suggested->top >= wanted.cy / 2 &&
                    suggested->bottom - suggested->top <= wanted.cy * 2;
  Rescale(dpi, sane ? suggested : nullptr);
}

std::optional<std::size_t> FormWindow::DrawnControlAt(POINT client) const {
  for (std::size_t i = 0; i < views_.size(); ++i) {
    if (views_[i]->TakesClickAt(client)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> FormWindow::IndexOf(HWND child) const {
  if (child == nullptr) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < views_.size(); ++i) {
    if (views_[i]->Window() == child) {
      return i;
    }
  }
  return std::nullopt;
}

void FormWindow::Press(std::optional<std::size_t> control, bool twice, HWND holder) {
  const formkit::Clicks::Raised raised = clicks_.Press(control, twice);
  if (clicks_.Holding()) {
    SetCapture(holder);
  }
  Raise(raised);
}

void FormWindow::Release(std::optional<std::size_t> control) {
  if (!clicks_.Holding()) {
    return;
  }
  const formkit::Clicks::Raised raised = clicks_.Release(control);
  ReleaseCapture();
  Raise(raised);
}

void FormWindow::Raise(const formkit::Clicks::Raised& raised) {
  if (raised.event == formkit::Clicks::Event::kNone) {
    return;
  }
  if (raised.event == formkit::Clicks::Event::kDblClick) {
    program_.DblClick(form_, raised.control);
  } else {
    program_.Click(form_, raised.control);
  }
}

void FormWindow::OnCommand(WPARAM wParam, HWND child) {
  if (const auto index = IndexOf(child)) {
    views_[*index]->OnCommand(HIWORD(wParam));
  }
}

LRESULT FormWindow::ColourControl(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto index = IndexOf(reinterpret_cast<HWND>(lParam))) {
    if (HBRUSH brush = views_[*index]->Colour(reinterpret_cast<HDC>(wParam))) {
      return reinterpret_cast<LRESULT>(brush);
    }
  }
  return Default(message, wParam, lParam);
}

bool FormWindow::SetPointer(HWND under) {
  HCURSOR cursor = nullptr;
  if (under == Handle()) {
    POINT where{};
    GetCursorPos(&where);
    ScreenToClient(Handle(), &where);
    if (const auto hit = DrawnControlAt(where)) {
      const formkit::ControlDesc& desc = form_.Controls()[*hit].Desc();
      cursor = resources_->Pointer(desc.pointer, desc.pointerIcon);
    }
    // Drawn controls without a pointer of their own show the window's; the window's default
    // is the arrow.
    if (cursor == nullptr) {
      cursor = resources_->Pointer(form_.Desc().pointer, form_.Desc().pointerIcon);
    }
    if (cursor == nullptr) {
      cursor = LoadCursorA(nullptr, IDC_ARROW);
    }
  } else if (const auto index = IndexOf(under)) {
    // Without one of their own, windowed controls show their class's (the edit's I-beam).
    const formkit::ControlDesc& desc = form_.Controls()[*index].Desc();
    cursor = resources_->Pointer(desc.pointer, desc.pointerIcon);
  }
  if (cursor == nullptr) {
    return false;
  }
  SetCursor(cursor);
  return true;
}

void FormWindow::OnTimer(WPARAM id) {
  const std::size_t index = id - kFirstTimerId;
  if (id >= kFirstTimerId && index < views_.size()) {
    views_[index]->OnTimer();
  }
}

void FormWindow::ControlChanged(std::size_t index) {
  if (Handle() == nullptr || index >= views_.size()) {
    return;
  }
  ControlView& view = *views_[index];
  const bool hadFocus = view.Window() != nullptr && GetFocus() == view.Window();
  view.Apply();
  if (hadFocus && !view.TakesFocus()) {
    MoveFocus(index, false);
  }
}

void FormWindow::FormChanged() {
  HWND window = Handle();
  if (followingUser_ || window == nullptr) {
    return;
  }
  if (!form_.Visible()) {
    ShowWindow(window, SW_HIDE);
    return;
  }
  const bool shown = IsWindowVisible(window) != FALSE;
  if (form_.State() == formkit::WindowState::Minimized) {
    if (IsIconic(window) == FALSE) {
      ShowWindow(window, shown ? SW_MINIMIZE : SW_SHOWMINIMIZED);
    }
    return;
  }
  if (IsIconic(window) != FALSE) {
    ShowWindow(window, SW_RESTORE);
  } else if (!shown) {
    ShowWindow(window, SW_SHOW);
  } else {
    // Shown again while visible: to the front.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
  }
}

void FormWindow::FollowUserState(WPARAM sizeKind) {
  if (sizeKind != SIZE_MINIMIZED && sizeKind != SIZE_RESTORED && sizeKind != SIZE_MAXIMIZED) {
    return;
  }
  const formkit::WindowState now =
      sizeKind == SIZE_MINIMIZED ? formkit::WindowState::Minimized : formkit::WindowState::Normal;
  if (form_.State() != now) {
    // The user minimized or restored the window: the model learns of it, the screen is right.
    followingUser_ = true;
    form_.SetState(now);
    followingUser_ = false;
  }
}

void FormWindow::MakeTopmost() {
  if (Handle() != nullptr) {
    winkit::MakeTopmost(Handle());
  }
}

void FormWindow::DragWindow() {
  if (Handle() != nullptr) {
    winkit::DragWindow(Handle());
  }
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;  // the paint covers everything
    case WM_PAINT: {
      const winkit::PaintDc paint(Handle());
      PaintSurface(paint.Get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintSurface(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      RedrawWindow(Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(DrawnControlAt(winkit::PointOf(lParam)), message == WM_LBUTTONDBLCLK, Handle());
      return 0;
    case WM_LBUTTONUP:
      Release(DrawnControlAt(winkit::PointOf(lParam)));
      return 0;
    case WM_CAPTURECHANGED:
      clicks_.Cancel();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        return SetPointer(reinterpret_cast<HWND>(wParam)) ? TRUE : FALSE;
      }
      break;
    case WM_COMMAND:
      OnCommand(wParam, reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (const auto index = IndexOf(item.hwndItem)) {
        views_[*index]->DrawItem(item);
      }
      return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return ColourControl(message, wParam, lParam);
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      // The program decides: unloading hides the window and destroys it later, from the loop.
      program_.Unload(form_);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE) {
        program_.EndSession();
      }
      return 0;
    case WM_ACTIVATE:
      if (OnActivate(wParam)) {
        return 0;
      }
      break;
    case WM_SIZE:
      FollowUserState(wParam);
      break;
    case winkit::kGetDpiScaledSizeMessage:
      // The size that holds the described client area at the new scale, not the old one grown.
      if (const int dpi = static_cast<int>(wParam); winkit::PlausibleDpi(dpi)) {
        *reinterpret_cast<SIZE*>(lParam) = FrameSize(dpi);
        return TRUE;
      }
      return FALSE;
    case winkit::kDpiChangedMessage:
      OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace formkit_win32
