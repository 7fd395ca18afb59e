#include "win32/forms/FormWindow.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "win32/WindowUtilities.h"

namespace forms_win32 {
namespace {

using forms::Kind;

constexpr std::wstring_view kClassPrefix = L"Zibbet.";
constexpr wchar_t kPictureBoxClass[] = L"Zibbet.PictureBox";
constexpr wchar_t kEditClass[] = L"EDIT";
constexpr wchar_t kButtonClass[] = L"BUTTON";

// Timer ids: the control's index plus this, so that no id is 0.
constexpr UINT_PTR kFirstTimerId = 1;

constexpr forms::Font kDefaultFont{.face = "MS Sans Serif", .points = 8, .weight = FW_NORMAL};
constexpr double kPointsPerInch = 72;
constexpr forms::Colour kSystemColourIndex = 0xFF;
constexpr forms::Colour kPictureBoxBack = forms::kButtonFace;
constexpr forms::Colour kShapeOutline = forms::kWindowText;
constexpr int kFocusInset = 3;
constexpr int kDisabledEmboss = 1;
constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr WPARAM kSelectAllKey = 'A';  // with Ctrl

COLORREF Resolve(forms::Colour colour) {
  if ((colour & forms::kSystemColour) != 0) {
    return GetSysColor(static_cast<int>(colour & kSystemColourIndex));
  }
  return colour;
}

HBRUSH DcBrush(HDC dc, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

bool KeyDown(int key) { return GetKeyState(key) < 0; }

bool IsWindowed(Kind kind) {
  return kind == Kind::TextBox || kind == Kind::Button || kind == Kind::PictureBox;
}

std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::wstring Wide(std::string_view utf8) {
  const int size = static_cast<int>(utf8.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), units);
  return wide;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::u16string Narrow16(const std::wstring& text) { return {text.begin(), text.end()}; }

// Paints into a memory bitmap and copies the result out in one go, so nothing flickers.
class BackBuffer {
 public:
  BackBuffer(HDC target, const RECT& area)
      : target_(target),
        width_(area.right - area.left),
        height_(area.bottom - area.top),
        dc_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, std::max(width_, 1), std::max(height_, 1))),
        select_(dc_.Get(), bitmap_.Get()) {}

  HDC Get() const { return dc_.Get(); }
  void Present() const { BitBlt(target_, 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY); }

 private:
  HDC target_;
  int width_;
  int height_;
  winkit::UniqueDc dc_;
  winkit::UniqueBitmap bitmap_;
  winkit::ScopedSelect select_;
};

// A bitmap at its natural size from the box's top left, cut off at the box's edges.
void DrawPicture(HDC dc, HBITMAP picture, const RECT& box) {
  BITMAP info{};
  if (picture == nullptr || GetObjectW(picture, sizeof info, &info) == 0) {
    return;
  }
  winkit::UniqueDc source(CreateCompatibleDC(dc));
  winkit::ScopedSelect select(source.Get(), picture);
  const int width = std::min<int>(info.bmWidth, box.right - box.left);
  const int height = std::min<int>(info.bmHeight, box.bottom - box.top);
  BitBlt(dc, box.left, box.top, width, height, source.Get(), 0, 0, SRCCOPY);
}

winkit::UniqueBitmap LoadPicture(HINSTANCE module, int resource) {
  if (resource == 0) {
    return {};
  }
  return winkit::UniqueBitmap(static_cast<HBITMAP>(
      LoadImageW(module, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

winkit::UniqueIcon LoadIconSized(HINSTANCE module, int resource, int widthMetric,
                                 int heightMetric) {
  if (resource == 0) {
    return {};
  }
  return winkit::UniqueIcon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(resource),
                                                          IMAGE_ICON, GetSystemMetrics(widthMetric),
                                                          GetSystemMetrics(heightMetric), 0)));
}

// The icon as a pointer whose hot spot is its centre.
winkit::UniqueCursor CursorFromIcon(HINSTANCE module, int resource) {
  const winkit::UniqueIcon icon = LoadIconSized(module, resource, SM_CXCURSOR, SM_CYCURSOR);
  ICONINFO info{};
  if (!icon || GetIconInfo(icon.Get(), &info) == FALSE) {
    return {};
  }
  const winkit::UniqueBitmap mask(info.hbmMask);
  const winkit::UniqueBitmap colour(info.hbmColor);
  BITMAP bits{};
  if (GetObjectW(mask.Get(), sizeof bits, &bits) == 0) {
    return {};
  }
  // A monochrome icon keeps its AND and XOR masks one above the other in the mask bitmap.
  const int height = colour ? bits.bmHeight : bits.bmHeight / 2;
  info.fIcon = FALSE;
  info.xHotspot = static_cast<DWORD>(bits.bmWidth / 2);
  info.yHotspot = static_cast<DWORD>(height / 2);
  return winkit::UniqueCursor(CreateIconIndirect(&info));
}

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

void RegisterClassOnce(HINSTANCE module, const wchar_t* name, WNDPROC proc, HCURSOR cursor) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(module, name, &existing) != FALSE) {
    return;
  }
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = module;
  windowClass.hCursor = cursor;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

bool PreTranslateFormMessage(MSG& message) {
  if (message.message != WM_KEYDOWN || message.hwnd == nullptr) {
    return false;
  }
  FormWindow* form = FormWindow::FromHandle(GetAncestor(message.hwnd, GA_ROOT));
  return form != nullptr && form->PreTranslate(message);
}

FormWindow::FormWindow(forms::Program& program, forms::FormId id, forms::Form& form,
                       HINSTANCE module, int dpi)
    : program_(program), id_(id), form_(form), module_(module), dpi_(dpi) {
  const std::size_t count = form_.Controls().size();
  pictures_.resize(count);
  children_.resize(count);
  timers_.resize(count);
  timerPeriods_.resize(count);
  LoadResources();
  CreateFormWindow();
  if (!window_) {
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
  if (window_) {
    // Messages of the dying window no longer reach this object.
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
  }
  timers_.clear();
  window_.Reset();  // with its children, before the fonts and pictures they use
}

void FormWindow::LoadResources() {
  const forms::FormDesc& desc = form_.Desc();
  formPicture_ = LoadPicture(module_, desc.picture);
  for (std::size_t i = 0; i < desc.controls.size(); ++i) {
    const forms::ControlDesc& control = desc.controls[i];
    if (control.kind == Kind::Image || control.kind == Kind::PictureBox) {
      pictures_[i] = LoadPicture(module_, control.picture);
    }
  }
  bigIcon_ = LoadIconSized(module_, desc.icon, SM_CXICON, SM_CYICON);
  smallIcon_ = LoadIconSized(module_, desc.icon, SM_CXSMICON, SM_CYSMICON);
}

void FormWindow::CreateFormWindow() {
  const forms::FormDesc& desc = form_.Desc();
  DWORD style = WS_CLIPCHILDREN;
  constexpr DWORD kExStyle = 0;
  switch (desc.frame) {
    case forms::FrameStyle::None:
      style |= WS_POPUP;
      break;
    case forms::FrameStyle::FixedWithTitle:
      // No WS_SYSMENU: a bare caption without menu or buttons.
      style |= WS_OVERLAPPED | WS_CAPTION;
      break;
    case forms::FrameStyle::Sizable:
      style |= WS_OVERLAPPEDWINDOW;
      break;
  }
  RECT frame{0, 0, Px(desc.clientWidth), Px(desc.clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  if (desc.start == forms::StartPosition::CenterScreen) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    x = work.left + (work.right - work.left - width) / 2;
    y = work.top + (work.bottom - work.top - height) / 2;
  }

  const std::wstring className = std::wstring(kClassPrefix) + Wide(desc.name);
  RegisterClassOnce(module_, className.c_str(), &FormProc, nullptr);
  RegisterClassOnce(module_, kPictureBoxClass, &PictureProc, LoadCursorA(nullptr, IDC_ARROW));
  const std::wstring caption = Wide(desc.caption);
  window_.Reset(CreateWindowExW(kExStyle, className.c_str(), caption.c_str(), style, x, y, width,
                                height, nullptr, nullptr, module_, this));
  if (window_) {
    if (bigIcon_) {
      SendMessageW(window_.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    }
    if (smallIcon_) {
      SendMessageW(window_.Get(), WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(smallIcon_.Get()));
    }
  }
}

void FormWindow::CreateChild(std::size_t index) {
  const forms::Control& control = form_.Controls()[index];
  const forms::ControlDesc& desc = control.Desc();
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
      windowClass = kPictureBoxClass;
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
  const std::wstring text = Wide(control.Text());
  HWND child = CreateWindowExW(exStyle, windowClass, text.c_str(), style, box.left, box.top,
                               box.right - box.left, box.bottom - box.top, window_.Get(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))),
                               module_, nullptr);
  if (child == nullptr) {
    return;
  }
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(desc.font)), FALSE);
  if (desc.passwordChar != 0) {
    SendMessageW(child, EM_SETPASSWORDCHAR, desc.passwordChar, 0);
  }
  children_[index] = child;
}

RECT FormWindow::Box(const forms::ControlDesc& desc) const {
  const int left = Px(desc.left);
  const int top = Px(desc.top);
  return {left, top, left + Px(desc.width), top + Px(desc.height)};
}

RECT FormWindow::DirtyArea(const forms::ControlDesc& desc) const {
  if (desc.kind != Kind::Line) {
    return Box(desc);
  }
  // Wide pens and their round ends reach past the end points.
  const int reach = std::max(desc.lineWidth, 1) + 1;
  const int x1 = Px(desc.left);
  const int y1 = Px(desc.top);
  const int x2 = Px(desc.x2);
  const int y2 = Px(desc.y2);
  return {std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + reach,
          std::max(y1, y2) + reach};
}

HFONT FormWindow::FontFor(const std::optional<forms::Font>& controlFont) {
  const forms::Font font = controlFont.value_or(form_.Desc().font.value_or(kDefaultFont));
  FontKey key{std::string(font.face), font.points, font.weight};
  for (const auto& [cached, handle] : fonts_) {
    if (cached == key) {
      return handle.Get();
    }
  }
  LOGFONTW logical{};
  logical.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi_ / kPointsPerInch));
  logical.lfWeight = font.weight;
  logical.lfCharSet = DEFAULT_CHARSET;
  const std::wstring face = Wide(font.face).substr(0, LF_FACESIZE - 1);
  std::copy(face.begin(), face.end(), logical.lfFaceName);
  winkit::UniqueFont created(CreateFontIndirectW(&logical));
  if (!created) {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  HFONT result = created.Get();
  fonts_.emplace_back(std::move(key), std::move(created));
  return result;
}

void FormWindow::PaintSurface(HWND window, HDC target) {
  RECT client{};
  GetClientRect(window, &client);
  const BackBuffer buffer(target, client);
  HDC dc = buffer.Get();
  FillRect(dc, &client, DcBrush(dc, Resolve(form_.Desc().backColour)));
  DrawPicture(dc, formPicture_.Get(), client);
  // Back to front.
  for (std::size_t i = form_.Controls().size(); i-- > 0;) {
    PaintControl(dc, i);
  }
  buffer.Present();
}

void FormWindow::PaintControl(HDC dc, std::size_t index) {
  const forms::Control& control = form_.Controls()[index];
  const forms::ControlDesc& desc = control.Desc();
  if (!control.Visible()) {
    return;
  }
  const winkit::ScopedDcState state(dc);
  switch (desc.kind) {
    case Kind::Label: {
      RECT box = Box(desc);
      IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
      if (!desc.transparent) {
        FillRect(dc, &box, DcBrush(dc, Resolve(form_.Desc().backColour)));
      }
      SelectObject(dc, FontFor(desc.font));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, control.Enabled() ? Resolve(desc.foreColour.value_or(forms::kButtonText))
                                         : GetSysColor(COLOR_GRAYTEXT));
      const std::wstring text = Wide(control.Text());
      const UINT align = desc.align == forms::Align::Center ? DT_CENTER : DT_LEFT;
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_WORDBREAK | align);
      break;
    }
    case Kind::Shape: {
      RECT box = Box(desc);
      HBRUSH outline = DcBrush(dc, Resolve(desc.foreColour.value_or(kShapeOutline)));
      // Wider outlines grow inwards, so the box stays the shape's outer edge.
      for (int ring = 0; ring < std::max(desc.lineWidth, 1) && !IsRectEmpty(&box); ++ring) {
        FrameRect(dc, &box, outline);
        InflateRect(&box, -1, -1);
      }
      break;
    }
    case Kind::Line: {
      const winkit::UniquePen pen(CreatePen(PS_SOLID, std::max(desc.lineWidth, 1),
                                            Resolve(desc.foreColour.value_or(kShapeOutline))));
      const winkit::ScopedSelect select(dc, pen.Get());
      MoveToEx(dc, Px(desc.left), Px(desc.top), nullptr);
      LineTo(dc, Px(desc.x2), Px(desc.y2));
      break;
    }
    case Kind::Image:
      DrawPicture(dc, pictures_[index].Get(), Box(desc));
      break;
    default:
      break;  // windowed or invisible kinds
  }
}

void FormWindow::PaintPictureBox(HWND box, HDC target) {
  const std::optional<std::size_t> index = IndexOf(box);
  RECT client{};
  GetClientRect(box, &client);
  const BackBuffer buffer(target, client);
  HDC dc = buffer.Get();
  FillRect(dc, &client, DcBrush(dc, Resolve(kPictureBoxBack)));
  if (index) {
    DrawPicture(dc, pictures_[*index].Get(), client);
  }
  buffer.Present();
}

void FormWindow::DrawButton(const DRAWITEMSTRUCT& item) {
  const std::optional<std::size_t> index = IndexOf(item.hwndItem);
  if (!index) {
    return;
  }
  const forms::Control& control = form_.Controls()[*index];
  const forms::ControlDesc& desc = control.Desc();
  HDC dc = item.hDC;
  const winkit::ScopedDcState state(dc);
  RECT face = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &face, DcBrush(dc, Resolve(desc.faceColour.value_or(forms::kButtonFace))));
  DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  RECT text = face;
  if (pressed) {
    OffsetRect(&text, 1, 1);
  }
  SelectObject(dc, FontFor(desc.font));
  SetBkMode(dc, TRANSPARENT);
  const std::wstring caption = Wide(control.Text());
  const int length = static_cast<int>(caption.size());
  if ((item.itemState & ODS_DISABLED) != 0) {
    // Engraved, as disabled captions are drawn.
    OffsetRect(&text, kDisabledEmboss, kDisabledEmboss);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, caption.c_str(), length, &text, kCentredLine);
    OffsetRect(&text, -kDisabledEmboss, -kDisabledEmboss);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
  } else {
    SetTextColor(dc, Resolve(desc.foreColour.value_or(forms::kButtonText)));
  }
  DrawTextW(dc, caption.c_str(), length, &text, kCentredLine);

  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(dc, &focus);
  }
}

std::optional<std::size_t> FormWindow::DrawnControlAt(POINT client) {
  const auto& controls = form_.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const forms::ControlDesc& desc = controls[i].Desc();
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

void FormWindow::OnSurfacePress(POINT client, bool twice) {
  const std::optional<std::size_t> hit = DrawnControlAt(client);
  // Names live in the description, not in this object, which the handler may destroy.
  const std::string_view name = hit ? form_.Controls()[*hit].Name() : std::string_view{};
  if (twice) {
    program_.DblClick(id_, name);
  } else {
    program_.Click(id_, name);
  }
}

void FormWindow::OnChildPress(std::size_t index, bool twice) {
  const std::string_view name = form_.Controls()[index].Name();
  if (twice) {
    program_.DblClick(id_, name);
  } else {
    program_.Click(id_, name);
  }
}

HCURSOR FormWindow::PointerCursor(int pointer, int icon) {
  switch (pointer) {
    case forms::kPointerArrow:
      return LoadCursorA(nullptr, IDC_ARROW);
    case forms::kPointerIBeam:
      return LoadCursorA(nullptr, IDC_IBEAM);
    case forms::kPointerUpArrow:
      return LoadCursorA(nullptr, IDC_UPARROW);
    case forms::kPointerCustom:
      return CustomCursor(icon);
    default:
      return nullptr;
  }
}

HCURSOR FormWindow::CustomCursor(int icon) {
  if (icon == 0) {
    return nullptr;
  }
  for (const auto& [resource, cursor] : cursors_) {
    if (resource == icon) {
      return cursor.Get();
    }
  }
  // Kept even when the icon is missing, so it is looked for once.
  cursors_.emplace_back(icon, CursorFromIcon(module_, icon));
  return cursors_.back().second.Get();
}

bool FormWindow::SetPointer(HWND window, HWND under) {
  const forms::FormDesc& form = form_.Desc();
  HCURSOR cursor = nullptr;
  if (under == window) {
    POINT where{};
    GetCursorPos(&where);
    ScreenToClient(window, &where);
    if (const auto hit = DrawnControlAt(where)) {
      const forms::ControlDesc& desc = form_.Controls()[*hit].Desc();
      cursor = PointerCursor(desc.pointer, desc.pointerIcon);
    }
    // Drawn controls without a pointer of their own show the window's; the window's default
    // is the arrow.
    if (cursor == nullptr) {
      cursor = PointerCursor(form.pointer, form.pointerIcon);
    }
    if (cursor == nullptr) {
      cursor = LoadCursorA(nullptr, IDC_ARROW);
    }
  } else if (const auto index = IndexOf(under)) {
    // Without one of their own, windowed controls show their class's (the edit's I-beam).
    const forms::ControlDesc& desc = form_.Controls()[*index].Desc();
    cursor = PointerCursor(desc.pointer, desc.pointerIcon);
  }
  if (cursor == nullptr) {
    return false;
  }
  SetCursor(cursor);
  return true;
}

bool FormWindow::TakesFocus(std::size_t index) {
  const forms::Control& control = form_.Controls()[index];
  return children_[index] != nullptr && control.Desc().tabIndex >= 0 && control.Visible() &&
         control.Enabled();
}

std::vector<std::size_t> FormWindow::TabOrder() {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < children_.size(); ++i) {
    if (TakesFocus(i)) {
      order.push_back(i);
    }
  }
  const auto& controls = form_.Controls();
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].Desc().tabIndex < controls[b].Desc().tabIndex;
  });
  return order;
}

void FormWindow::MoveFocus(std::optional<std::size_t> from, bool backwards) {
  const std::vector<std::size_t> order = TabOrder();
  if (order.empty()) {
    return;
  }
  const auto& controls = form_.Controls();
  const auto key = [&](std::size_t i) { return std::pair(controls[i].Desc().tabIndex, i); };
  std::size_t next = backwards ? order.back() : order.front();
  if (from) {
    const auto current = key(*from);
    if (backwards) {
      for (std::size_t candidate : order) {
        if (key(candidate) < current) {
          next = candidate;
        }
      }
    } else {
      for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (key(*it) > current) {
          next = *it;
        }
      }
    }
  }
  SetFocus(children_[next]);
  lastFocus_ = next;
}

void FormWindow::RestoreFocus(HWND window) {
  if (lastFocus_ && TakesFocus(*lastFocus_)) {
    SetFocus(children_[*lastFocus_]);
    return;
  }
  const std::vector<std::size_t> order = TabOrder();
  SetFocus(order.empty() ? window : children_[order.front()]);
}

bool FormWindow::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || KeyDown(VK_MENU)) {
    return false;
  }
  const std::optional<std::size_t> focused = IndexOf(message.hwnd);
  const auto& controls = form_.Controls();
  if (message.wParam == VK_TAB && !KeyDown(VK_CONTROL)) {
    MoveFocus(focused, KeyDown(VK_SHIFT));
    return true;
  }
  const bool inTextBox = focused && controls[*focused].Desc().kind == Kind::TextBox;
  if (message.wParam == kSelectAllKey && KeyDown(VK_CONTROL) && inTextBox) {
    // Not every edit control knows Ctrl+A; and unhandled, it would only beep.
    SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
    return true;
  }
  if (message.wParam != VK_RETURN) {
    return false;
  }
  // Enter presses the focused button, or else the window's default button.
  std::optional<std::size_t> pressed;
  if (focused && controls[*focused].Desc().kind == Kind::Button) {
    pressed = focused;
  } else {
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const forms::Control& control = controls[i];
      if (control.Desc().kind == Kind::Button && control.Desc().isDefault && control.Visible() &&
          control.Enabled()) {
        pressed = i;
        break;
      }
    }
  }
  if (pressed) {
    program_.Click(id_, controls[*pressed].Name());
    return true;  // this window may be gone now
  }
  // An edit would only beep at the Enter: it never sees it.
  return inTextBox;
}

void FormWindow::UpdateTimer(std::size_t index) {
  const forms::Control& control = form_.Controls()[index];
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
  timers_[index] =
      winkit::WindowTimer(window_.Get(), kFirstTimerId + index, static_cast<UINT>(period));
  timerPeriods_[index] = period;
}

void FormWindow::ControlChanged(std::size_t index) {
  if (!window_ || index >= children_.size()) {
    return;
  }
  const forms::Control& control = form_.Controls()[index];
  const forms::ControlDesc& desc = control.Desc();
  if (desc.kind == Kind::Timer) {
    UpdateTimer(index);
    return;
  }
  if (!IsWindowed(desc.kind)) {
    const RECT area = DirtyArea(desc);
    InvalidateRect(window_.Get(), &area, FALSE);
    return;
  }
  HWND child = children_[index];
  if (child == nullptr) {
    return;
  }
  const bool hadFocus = GetFocus() == child;
  if (desc.kind != Kind::PictureBox) {
    const std::wstring wanted = Wide(control.Text());
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
  if (followingUser_ || !window_) {
    return;
  }
  HWND window = window_.Get();
  if (!form_.Visible()) {
    ShowWindow(window, SW_HIDE);
    return;
  }
  const bool shown = IsWindowVisible(window) != FALSE;
  if (form_.State() == forms::WindowState::Minimized) {
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
  const forms::WindowState now =
      sizeKind == SIZE_MINIMIZED ? forms::WindowState::Minimized : forms::WindowState::Normal;
  if (form_.State() != now) {
    // The user minimized or restored the window: the model learns of it, the screen is right.
    followingUser_ = true;
    form_.SetState(now);
    followingUser_ = false;
  }
}

void FormWindow::MakeTopmost() {
  if (window_) {
    win32::MakeTopmost(window_.Get());
  }
}

void FormWindow::DragWindow() {
  if (window_) {
    win32::DragWindow(window_.Get());
  }
}

FormWindow* FormWindow::FromHandle(HWND window) {
  if (window == nullptr ||
      GetClassLongPtrW(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&FormProc)) {
    return nullptr;
  }
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK FormWindow::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // Handlers may destroy `self`: nothing here touches it after this call.
  return self->OnMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::PictureProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(GetParent(box), GWLP_USERDATA));
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
          self->OnChildPress(*index, message == WM_LBUTTONDBLCLK);
        }
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(box, message, wParam, lParam);
}

LRESULT FormWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;  // the paint covers everything
    case WM_PAINT: {
      const winkit::PaintDc paint(window);
      PaintSurface(window, paint.Get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintSurface(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnSurfacePress(PointOf(lParam), message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        return SetPointer(window, reinterpret_cast<HWND>(wParam)) ? TRUE : FALSE;
      }
      break;
    case WM_COMMAND: {
      const auto index = IndexOf(reinterpret_cast<HWND>(lParam));
      if (!index) {
        break;
      }
      forms::Control& control = form_.Controls()[*index];
      const WORD code = HIWORD(wParam);
      if (control.Desc().kind == Kind::Button && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
        // A quick second press of a button is another click.
        program_.Click(id_, control.Name());
      } else if (control.Desc().kind == Kind::TextBox && code == EN_CHANGE && !applyingText_) {
        control.TakeTypedText(Narrow16(WindowText(children_[*index])));
      }
      return 0;
    }
    case WM_DRAWITEM:
      DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLOREDIT: {
      const auto index = IndexOf(reinterpret_cast<HWND>(lParam));
      if (!index) {
        break;
      }
      auto* dc = reinterpret_cast<HDC>(wParam);
      const forms::ControlDesc& desc = form_.Controls()[*index].Desc();
      SetTextColor(dc, Resolve(desc.foreColour.value_or(forms::kWindowText)));
      const COLORREF back = GetSysColor(COLOR_WINDOW);
      SetBkColor(dc, back);
      return reinterpret_cast<LRESULT>(DcBrush(dc, back));
    }
    case WM_TIMER: {
      const std::size_t index = wParam - kFirstTimerId;
      if (wParam < kFirstTimerId || index >= timers_.size() || !timers_[index].Running()) {
        break;
      }
      program_.Raise(id_, std::string(form_.Controls()[index].Name()) + "_Timer");
      return 0;
    }
    case WM_CLOSE:
      // The program decides; it destroys the window through this object when it unloads.
      program_.Unload(id_);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (const auto index = IndexOf(GetFocus())) {
          lastFocus_ = index;
        }
      } else if (HIWORD(wParam) == 0) {
        RestoreFocus(window);
        return 0;
      }
      break;
    case WM_SIZE:
      FollowUserState(wParam);
      break;
    case WM_NCDESTROY:
      // Destroyed from outside: nothing left to destroy later.
      static_cast<void>(window_.Release());
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace forms_win32
