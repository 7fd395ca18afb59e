#include "win32/formkit/FormWindow.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "formkit/Display.h"
#include "winkit/Dpi.h"
#include "winkit/Text.h"
#include "winkit/WindowMoves.h"

namespace formkit_win32 {
namespace {

using formkit::Kind;

constexpr std::wstring_view kClassPrefix = L"Zibbet.";
constexpr winkit::WindowClass kPictureBoxClass{.name = L"Zibbet.PictureBox"};
constexpr wchar_t kEditClass[] = L"EDIT";
constexpr wchar_t kButtonClass[] = L"BUTTON";
constexpr DWORD kFormExStyle = 0;

// Timer ids: the control's index plus this, so that no id is 0.
constexpr UINT_PTR kFirstTimerId = 1;

bool IsWindowed(Kind kind) {
  return kind == Kind::TextBox || kind == Kind::Button || kind == Kind::PictureBox;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

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

FormWindow::FormWindow(formkit::Program& program, formkit::FormId id, formkit::Form& form,
                       HINSTANCE module, Cascade& cascade)
    : program_(program), id_(id), form_(form), module_(module), dpi_(winkit::SystemDpi()) {
  const std::size_t count = form_.Controls().size();
  children_.resize(count);
  timers_.resize(count);
  timerPeriods_.resize(count);
  CreateFormWindow(cascade);
  if (Handle() == nullptr) {
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    CreateChild(i);
  }
  // Stored order is front to back: put each child below the ones before it.
  for (HWND child : children_) {
    if (child != nullptr) {
      constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
      SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, kOrderOnly);
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    UpdateTimer(i);
  }
}

FormWindow::~FormWindow() {
  timers_.clear();
  Destroy();  // with its children, before the fonts and pictures they use
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

  const std::wstring className = WindowClassName(desc.name);
  winkit::RegisterClassOnce(
      module_, {.name = kPictureBoxClass.name, .cursor = LoadCursorA(nullptr, IDC_ARROW)},
      &winkit::Guarded<&PictureProc>);
  const std::wstring caption = winkit::Wide(desc.caption);
  if (!Create(module_, {.name = className.c_str()}, caption.c_str(),
              WS_CLIPCHILDREN | FrameStyle(desc.frame), kFormExStyle,
              {place.x, place.y, size.cx, size.cy})) {
    ReportUnmade(desc.name);
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
  const auto& controls = form_.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (HWND child = children_[i]) {
      const RECT box = Box(controls[i].Desc());
      SetWindowPos(child, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                   kKeepOrder);
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(resources_->CaptionFont(i)), TRUE);
    }
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

void FormWindow::CreateChild(std::size_t index) {
  const formkit::Control& control = form_.Controls()[index];
  const formkit::ControlDesc& desc = control.Desc();
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  const wchar_t* windowClass = nullptr;
  switch (desc.kind) {
    case Kind::TextBox:
      windowClass = kEditClass;
      style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
      if (desc.passwordChar != 0) {
        style |= ES_PASSWORD;
      }
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case Kind::Button:
      windowClass = kButtonClass;
      style |= WS_TABSTOP;
      if (desc.graphical) {
        style |= BS_OWNERDRAW;
      } else {
        style |= desc.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      }
      break;
    case Kind::PictureBox:
      windowClass = kPictureBoxClass.name;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    default:
      return;  // drawn on the surface, or (timers, hosted components) no window at all
  }
  if (control.Visible()) {
    style |= WS_VISIBLE;
  }
  if (!control.Enabled()) {
    style |= WS_DISABLED;
  }
  const RECT box = Box(desc);
  const std::wstring text = winkit::Wide(control.Text());
  HWND child = CreateWindowExW(exStyle, windowClass, text.c_str(), style, box.left, box.top,
                               box.right - box.left, box.bottom - box.top, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))),
                               module_, nullptr);
  if (child == nullptr) {
    ReportUnmade(desc.name);
    return;
  }
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(resources_->CaptionFont(index)), FALSE);
  if (desc.passwordChar != 0) {
    SendMessageW(child, EM_SETPASSWORDCHAR, desc.passwordChar, 0);
  }
  children_[index] = child;
}

// The window goes on without what the system would not make: it shows what it has and the rest
// of the program runs, but whoever watches the program's faults is told.
void FormWindow::ReportUnmade(std::string_view what) {
  program_.GetPlatform().Fault(std::string(form_.Name()) + ": the system made no window for " +
                               std::string(what) + " (error " + std::to_string(GetLastError()) +
                               ")");
}

RECT FormWindow::Box(const formkit::ControlDesc& desc) const {
  const int left = Px(desc.left);
  const int top = Px(desc.top);
  return {left, top, left + Px(desc.width), top + Px(desc.height)};
}

int FormWindow::PenWidth(const formkit::ControlDesc& desc) const {
  return std::max(formkit::ScaledPixels(desc.lineWidth, dpi_), 1);
}

RECT FormWindow::DirtyArea(const formkit::ControlDesc& desc) const {
  if (desc.kind != Kind::Line) {
    return Box(desc);
  }
  // Wide pens and their round ends reach past the end points.
  const int reach = PenWidth(desc) + 1;
  const int x1 = Px(desc.left);
  const int y1 = Px(desc.top);
  const int x2 = Px(desc.x2);
  const int y2 = Px(desc.y2);
  return {std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + reach,
          std::max(y1, y2) + reach};
}

std::optional<std::size_t> FormWindow::DrawnControlAt(POINT client) {
  const auto& controls = form_.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const formkit::ControlDesc& desc = controls[i].Desc();
    // Shapes and lines take no clicks: what is under them does.
    if (desc.kind != Kind::Label && desc.kind != Kind::Image) {
      continue;
    }
    const RECT box = Box(desc);
    if (controls[i].Visible() && controls[i].Enabled() && PtInRect(&box, client) != FALSE) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> FormWindow::IndexOf(HWND child) const {
  if (child == nullptr) {
    return std::nullopt;
  }
  const auto found = std::find(children_.begin(), children_.end(), child);
  if (found == children_.end()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(found - children_.begin());
}

void FormWindow::OnPress(std::optional<std::size_t> control, bool twice, HWND holder) {
  const formkit::Clicks::Raised raised = clicks_.Press(control, twice);
  if (clicks_.Holding()) {
    SetCapture(holder);
  }
  Raise(raised);
}

void FormWindow::OnRelease(std::optional<std::size_t> control) {
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
    program_.DblClick(id_, raised.control);
  } else {
    program_.Click(id_, raised.control);
  }
}

void FormWindow::OnCommand(WPARAM wParam, HWND child) {
  const auto index = IndexOf(child);
  if (!index) {
    return;
  }
  formkit::Control& control = form_.Controls()[*index];
  const WORD code = HIWORD(wParam);
  if (control.Desc().kind == Kind::Button && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
    // A quick second press of a button is another click.
    program_.Click(id_, *index);
  } else if (control.Desc().kind == Kind::TextBox && code == EN_CHANGE && !applyingText_) {
    control.TakeTypedText(winkit::U16(WindowText(child)));
  }
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

void FormWindow::UpdateTimer(std::size_t index) {
  const formkit::Control& control = form_.Controls()[index];
  if (control.Desc().kind != Kind::Timer) {
    return;
  }
  const int period = control.Interval();
  if (!control.Enabled() || period <= 0) {
    timers_[index].Reset();
    return;
  }
  if (timers_[index].Running() && timerPeriods_[index] == period) {
    return;  // enabling a running timer keeps its rhythm
  }
  // Killed first: the replacement has the same id.
  timers_[index].Reset();
  timers_[index] = winkit::WindowTimer(Handle(), kFirstTimerId + index, static_cast<UINT>(period));
  timerPeriods_[index] = period;
}

void FormWindow::OnTimer(WPARAM id) {
  const std::size_t index = id - kFirstTimerId;
  if (id >= kFirstTimerId && index < timers_.size() && timers_[index].Running()) {
    program_.Raise(id_, {index, formkit::Event::Timer});
  }
}

void FormWindow::ControlChanged(std::size_t index) {
  if (Handle() == nullptr || index >= children_.size()) {
    return;
  }
  const formkit::Control& control = form_.Controls()[index];
  const formkit::ControlDesc& desc = control.Desc();
  if (desc.kind == Kind::Timer) {
    UpdateTimer(index);
    return;
  }
  if (!IsWindowed(desc.kind)) {
    const RECT area = DirtyArea(desc);
    InvalidateRect(Handle(), &area, FALSE);
    return;
  }
  HWND child = children_[index];
  if (child == nullptr) {
    return;
  }
  const bool hadFocus = GetFocus() == child;
  if (desc.kind != Kind::PictureBox) {
    const std::wstring wanted = winkit::Wide(control.Text());
    // Only a real change: setting the same text again would move the caret.
    if (WindowText(child) != wanted) {
      applyingText_ = true;
      SetWindowTextW(child, wanted.c_str());
      applyingText_ = false;
    }
  }
  if ((IsWindowEnabled(child) != FALSE) != control.Enabled()) {
    EnableWindow(child, control.Enabled() ? TRUE : FALSE);
  }
  const bool shown = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != control.Visible()) {
    ShowWindow(child, control.Visible() ? SW_SHOWNA : SW_HIDE);
  }
  if (hadFocus && !TakesFocus(index)) {
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

LRESULT CALLBACK FormWindow::PictureProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = FromHandle(GetParent(box));
  if (self != nullptr) {
    switch (message) {
      case WM_ERASEBKGND:
        return TRUE;
      case WM_PAINT: {
        const winkit::PaintDc paint(box);
        self->PaintPictureBox(box, paint.Get());
        return 0;
      }
      case WM_PRINTCLIENT:
        self->PaintPictureBox(box, reinterpret_cast<HDC>(wParam));
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (const auto index = self->IndexOf(box)) {
          self->OnPress(index, message == WM_LBUTTONDBLCLK, box);
        }
        return 0;
      case WM_LBUTTONUP: {
        RECT client{};
        GetClientRect(box, &client);
        const bool over = PtInRect(&client, PointOf(lParam)) != FALSE;
        self->OnRelease(over ? self->IndexOf(box) : std::nullopt);
        return 0;
      }
      case WM_CAPTURECHANGED:
        self->clicks_.Cancel();
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(box, message, wParam, lParam);
}

// Every handler that calls into the program returns right after: see the class comment.
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
      OnPress(DrawnControlAt(PointOf(lParam)), message == WM_LBUTTONDBLCLK, Handle());
      return 0;
    case WM_LBUTTONUP:
      OnRelease(DrawnControlAt(PointOf(lParam)));
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
    case WM_DRAWITEM:
      DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return ColourTextBox(message, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      // The program decides; it destroys the window through this object when it unloads.
      program_.Unload(id_);
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
