// The form windows under Wine: real windows built from the five descriptions (and a few of the
// tests' own), driven with real mouse and keyboard input.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/Description.h"
#include "forms/Program.h"
#include "forms/Resources.h"
#include "win32/forms/FormWindow.h"
#include "win32/forms/Win32Platform.h"
#include "winkit/Handles.h"

namespace {

using forms::FormId;
using forms::Kind;
using forms_win32::ControlId;
using forms_win32::FormWindow;

constexpr int kStandardDpi = 96;
constexpr int kSettleMs = 60;
constexpr int kEventTimeoutMs = 2000;

// The platform as the program has it, except that the end of the program is a test failure: no
// test here closes the last window.
class TestPlatform final : public forms_win32::Win32Platform {
 public:
  TestPlatform() : Win32Platform(GetModuleHandleW(nullptr)) {}
  [[noreturn]] void Exit() override {
    std::fputs("the program ended during a test\n", stderr);
    std::fflush(stderr);
    ExitProcess(2);
  }
};

void Pump(int milliseconds) {
  win32::MessageWait wait(&forms_win32::PreTranslateFormMessage);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (auto now = std::chrono::steady_clock::now(); now < end;
       now = std::chrono::steady_clock::now()) {
    wait.PumpMessages(std::chrono::duration<double>(end - now).count());
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs = kEventTimeoutMs) {
  constexpr int kStepMs = 10;
  for (int waited = 0; waited < timeoutMs; waited += kStepMs) {
    if (done()) {
      return true;
    }
    Pump(kStepMs);
  }
  return done();
}

std::size_t IndexOf(const forms::FormDesc& desc, std::string_view name) {
  for (std::size_t i = 0; i < desc.controls.size(); ++i) {
    if (desc.controls[i].name == name) {
      return i;
    }
  }
  ADD_FAILURE() << desc.name << " has no " << name;
  return 0;
}

int Px(int twips, int dpi) { return forms::TwipsToPixels(twips, dpi); }

// Every handler a window could have, each recording its name; some also act.
class Recorder final : public forms::Behaviour {
 public:
  Recorder(const forms::Form& form, std::vector<std::string>& log,
           const std::map<std::string, std::function<void()>>& actions) {
    std::vector<std::string> names = {"Form_Load", "Form_Unload", "Form_Click", "Form_DblClick"};
    for (const auto& control : form.Desc().controls) {
      for (const char* event : {"_Click", "_DblClick", "_Timer"}) {
        names.push_back(std::string(control.name) + event);
      }
    }
    const std::string prefix = std::string(form.Name()) + ":";
    for (const auto& name : names) {
      const auto action = actions.find(prefix + name);
      std::function<void()> act = action == actions.end() ? nullptr : action->second;
      On(name, [&log, entry = prefix + name, act] {
        log.push_back(entry);
        if (act) {
          act();
        }
      });
    }
  }
};

// A program over the test platform whose windows record what they raise.
struct Harness {
  TestPlatform platform;
  std::vector<std::string> log;
  // "Form3:Label3_Click" -> what that handler does besides being recorded.
  std::map<std::string, std::function<void()>> actions;
  forms::Program program{platform, [this](forms::Program&, FormId, forms::Form& form) {
                           return std::make_unique<Recorder>(form, log, actions);
                         }};
  std::chrono::steady_clock::time_point lastClick{};
  POINT lastClickAt{};

  int Dpi() const { return platform.Dpi(); }

  HWND Show(FormId id) {
    program.Show(id);
    Pump(kSettleMs);
    forms::Form* form = program.Loaded(id);
    return form == nullptr ? nullptr : static_cast<FormWindow*>(form->View())->Handle();
  }

  forms::Control& ControlOf(FormId id, std::string_view name) {
    return (*program.Loaded(id))[name];
  }

  // Events raised since the last call.
  std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

  // A left click through the system's input path at a point of the window's client area. Clicks
  // are spaced so that no two make a double-click unless asked to.
  void Click(HWND window, POINT client, bool twice = false) {
    ClientToScreen(window, &client);
    const auto spacing = std::chrono::milliseconds(GetDoubleClickTime() + 100);
    const auto since = std::chrono::steady_clock::now() - lastClick;
    const bool samePlace = std::abs(client.x - lastClickAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                           std::abs(client.y - lastClickAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    if (samePlace && since < spacing) {
      Pump(static_cast<int>(
          std::chrono::duration_cast<std::chrono::milliseconds>(spacing - since).count()));
    }
    lastClickAt = client;
    SetCursorPos(client.x, client.y);
    for (int press = 0; press < (twice ? 2 : 1); ++press) {
      INPUT input[2] = {};
      input[0].type = INPUT_MOUSE;
      input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      input[1].type = INPUT_MOUSE;
      input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      SendInput(2, input, sizeof(INPUT));
    }
    lastClick = std::chrono::steady_clock::now();
  }

  POINT CentreOf(FormId id, std::string_view name) const {
    const forms::ControlDesc& desc =
        forms::DescriptionOf(id).controls.at(IndexOf(forms::DescriptionOf(id), name));
    const int dpi = platform.Dpi();
    return {Px(desc.left, dpi) + Px(desc.width, dpi) / 2,
            Px(desc.top, dpi) + Px(desc.height, dpi) / 2};
  }
};

// A window built by the platform as the program builds one, but kept out of the program: its
// events reach whatever behaviour the program has for `id`, if any. Hidden unless shown.
struct BuiltForm {
  BuiltForm(Harness& harness, const forms::FormDesc& desc, FormId id, bool shown = false)
      : form(desc) {
    form.Attach(harness.platform.CreateView(harness.program, id, form));
    if (shown) {
      form.SetVisible(true);
      Pump(kSettleMs);
    }
  }
  HWND Handle() const { return static_cast<FormWindow*>(form.View())->Handle(); }

  forms::Form form;
};

HWND Child(HWND form, const forms::FormDesc& desc, std::string_view name) {
  return GetDlgItem(form, ControlId(IndexOf(desc, name)));
}

// Keyboard input through the system's input path, to the focused window.
void Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

void Press(WORD key, bool shift = false) {
  if (shift) {
    Key(VK_SHIFT, false);
  }
  Key(key, false);
  Key(key, true);
  if (shift) {
    Key(VK_SHIFT, true);
  }
  Pump(kSettleMs);
}

void Type(std::u16string_view text) {
  for (const char16_t c : text) {
    INPUT input[2] = {};
    for (INPUT& event : input) {
      event.type = INPUT_KEYBOARD;
      event.ki.wScan = c;
      event.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
  }
  Pump(kSettleMs);
}

// Keyboard input goes to the focus: make sure it is where the test wants it before typing.
bool FocusOn(HWND form, HWND child) {
  SetForegroundWindow(form);
  SetFocus(child);
  Pump(kSettleMs);
  return GetForegroundWindow() == form && GetFocus() == child;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

RECT RectInParent(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The client area as the window paints it for WM_PRINTCLIENT.
class Capture {
 public:
  explicit Capture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const winkit::UniqueBitmap dib(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const winkit::UniqueDc dc(CreateCompatibleDC(nullptr));
    {
      const winkit::ScopedSelect select(dc.Get(), dib.Get());
      SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
      GdiFlush();
    }
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(pixels, pixels + static_cast<std::size_t>(width_) * height_);
  }

  COLORREF At(int x, int y) const {
    const std::uint32_t bgr = pixels_.at(static_cast<std::size_t>(y) * width_ + x);
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  }

  // How many pixels of the rectangle have the colour.
  int Count(COLORREF colour, RECT area) const {
    int count = 0;
    for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height_); ++y) {
      for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width_); ++x) {
        count += At(x, y) == colour ? 1 : 0;
      }
    }
    return count;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// Changes a system colour for the scope, as a user's colour scheme would.
class SystemColourChange {
 public:
  SystemColourChange(int index, COLORREF colour) : index_(index), old_(GetSysColor(index)) {
    SetSysColors(1, &index_, &colour);
  }
  SystemColourChange(const SystemColourChange&) = delete;
  SystemColourChange& operator=(const SystemColourChange&) = delete;
  ~SystemColourChange() { SetSysColors(1, &index_, &old_); }

 private:
  int index_;
  COLORREF old_;
};

bool HasResource(int id, LPCWSTR type) {
  return FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type) != nullptr;
}

// --- The windows themselves -----------------------------------------------------------------

TEST(FormWindows, ClientSizesFramesClassesAndCaptions) {
  struct Case {
    FormId id;
    const wchar_t* className;
    int width96;  // client size at 96 DPI
    int height96;
    bool caption;
    bool systemMenu;
    bool sizable;
  };
  const Case cases[] = {
      {FormId::Form1, L"Zibbet.Form1", 113, 113, false, false, false},
      {FormId::Form2, L"Zibbet.Form2", 267, 401, true, false, false},
      {FormId::Form3, L"Zibbet.Form3", 281, 161, false, false, false},
      {FormId::Form4, L"Zibbet.Form4", 249, 73, false, false, false},
      {FormId::Form5, L"Zibbet.Form5", 470, 391, true, true, true},
  };
  Harness harness;
  const int dpi = harness.Dpi();
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  for (const Case& c : cases) {
    const forms::FormDesc& desc = forms::DescriptionOf(c.id);
    SCOPED_TRACE(std::string(desc.name));
    const BuiltForm built(harness, desc, c.id);
    const HWND window = built.Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowW(c.className, nullptr), window);
    EXPECT_EQ(TextOf(window), std::wstring(desc.caption.begin(), desc.caption.end()));
    EXPECT_FALSE(IsWindowVisible(window));  // until the program shows it

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, Px(desc.clientWidth, dpi));
    EXPECT_EQ(client.bottom, Px(desc.clientHeight, dpi));
    if (dpi == kStandardDpi) {
      EXPECT_EQ(client.right, c.width96);
      EXPECT_EQ(client.bottom, c.height96);
    }

    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, c.caption);
    EXPECT_EQ((style & WS_SYSMENU) != 0, c.systemMenu);
    EXPECT_EQ((style & WS_THICKFRAME) != 0, c.sizable);
    EXPECT_EQ((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0, c.sizable);
    RECT frame{};
    GetWindowRect(window, &frame);
    if (!c.caption) {
      // Borderless: the window is its client area.
      EXPECT_EQ(frame.right - frame.left, client.right);
      EXPECT_EQ(frame.bottom - frame.top, client.bottom);
    } else {
      EXPECT_GT(frame.bottom - frame.top - client.bottom, GetSystemMetrics(SM_CYCAPTION) - 2);
    }
    if (desc.start == forms::StartPosition::CenterScreen) {
      EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
      EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1);
    }
  }
}

TEST(FormWindows, WindowedControlsSitAtTheirPlacesAboveTheDrawnOnes) {
  Harness harness;
  const int dpi = harness.Dpi();
  for (const FormId id :
       {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4, FormId::Form5}) {
    const forms::FormDesc& desc = forms::DescriptionOf(id);
    SCOPED_TRACE(std::string(desc.name));
    const BuiltForm built(harness, desc, id);
    const HWND window = built.Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_CLIPCHILDREN, 0);

    std::vector<HWND> windowedInStoredOrder;
    for (std::size_t i = 0; i < desc.controls.size(); ++i) {
      const forms::ControlDesc& control = desc.controls[i];
      SCOPED_TRACE(std::string(control.name));
      const HWND child = GetDlgItem(window, ControlId(i));
      const wchar_t* expectedClass = nullptr;
      switch (control.kind) {
        case Kind::TextBox:
          expectedClass = L"Edit";
          break;
        case Kind::Button:
          expectedClass = L"Button";
          break;
        case Kind::PictureBox:
          expectedClass = L"Zibbet.PictureBox";
          break;
        default:
          // Drawn on the surface, or no window at all (timers, the scanner for now).
          EXPECT_EQ(child, nullptr);
          continue;
      }
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(_wcsicmp(ClassOf(child).c_str(), expectedClass), 0);
      const RECT rect = RectInParent(child);
      EXPECT_EQ(rect.left, Px(control.left, dpi));
      EXPECT_EQ(rect.top, Px(control.top, dpi));
      EXPECT_EQ(rect.right - rect.left, Px(control.width, dpi));
      EXPECT_EQ(rect.bottom - rect.top, Px(control.height, dpi));
      if (control.kind != Kind::Button) {
        EXPECT_NE(GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
      }
      windowedInStoredOrder.push_back(child);
    }
    // The first in stored order is the topmost child.
    std::vector<HWND> zOrder;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      zOrder.push_back(child);
    }
    EXPECT_EQ(zOrder, windowedInStoredOrder);
  }

  // Where Form5's two pictures overlap, the one stored first is on top.
  const forms::FormDesc& form5 = forms::Form5Description();
  const BuiltForm built5(harness, form5, FormId::Form5);
  const POINT overlap{Px(3650, dpi), Px(100, dpi)};
  EXPECT_EQ(ChildWindowFromPoint(built5.Handle(), overlap),
            Child(built5.Handle(), form5, "Picture2"));

  // Form4's Line2 runs on under Text2: on screen, the box covers it.
  const HWND window4 = harness.Show(FormId::Form4);
  UpdateWindow(window4);
  Pump(kSettleMs);
  const winkit::WindowDc dc(window4);
  const COLORREF line = GetSysColor(COLOR_WINDOWTEXT);
  const int y = Px(360, dpi);
  EXPECT_EQ(GetPixel(dc.Get(), Px(600, dpi), y), line);   // open surface
  EXPECT_NE(GetPixel(dc.Get(), Px(1100, dpi), y), line);  // under the text box
}

// --- Painting -------------------------------------------------------------------------------

// A window of the tests' own: one of each drawn kind where its pixels can be told apart.
const forms::FormDesc& PaintingDescription() {
  constexpr forms::Colour kNavy = RGB(0, 0, 128);
  constexpr forms::Colour kYellow = RGB(255, 255, 0);
  constexpr forms::Font kBig{.face = "Arial", .points = 24, .weight = 700};
  constexpr forms::Font kMedium{.face = "Arial", .points = 12, .weight = 400};
  static const forms::FormDesc desc{
      .name = "Painting",
      .frame = forms::FrameStyle::None,
      .clientWidth = 6000,
      .clientHeight = 3000,
      .backColour = kNavy,
      .start = forms::StartPosition::CenterScreen,
      .controls =
          {
              {.name = "Highlight",
               .kind = Kind::Label,
               .left = 150,
               .top = 150,
               .width = 1500,
               .height = 750,
               .text = u"IIII",
               .foreColour = forms::kHighlightText,
               .transparent = true,
               .font = kBig},
              // Opaque, over the outline of Frame below it.
              {.name = "Cover",
               .kind = Kind::Label,
               .left = 1800,
               .top = 1050,
               .width = 600,
               .height = 600,
               .text = u""},
              {.name = "Wrapped",
               .kind = Kind::Label,
               .left = 3000,
               .top = 150,
               .width = 900,
               .height = 600,
               .text = u"WWW WWW WWW",
               .foreColour = kYellow,
               .transparent = true,
               .font = kMedium},
              {.name = "Frame",
               .kind = Kind::Shape,
               .left = 1500,
               .top = 1200,
               .width = 1500,
               .height = 1200},
              {.name = "Wide",
               .kind = Kind::Line,
               .left = 4500,
               .top = 1500,
               .x2 = 4500,
               .y2 = 2700,
               .lineWidth = 3},
          },
  };
  return desc;
}

TEST(Painting, ShapesLinesAndLabelsBackToFront) {
  Harness harness;
  const int dpi = harness.Dpi();
  const BuiltForm painting(harness, PaintingDescription(), FormId::Form3);
  const HWND window = painting.Handle();
  ASSERT_NE(window, nullptr);
  const Capture capture(window);
  const COLORREF back = RGB(0, 0, 128);
  const COLORREF outline = GetSysColor(COLOR_WINDOWTEXT);
  ASSERT_NE(back, outline);

  // The rectangle's outline: from (left, top) inclusive to (left+width, top+height) exclusive.
  const int left = Px(1500, dpi);
  const int top = Px(1200, dpi);
  const int right = left + Px(1500, dpi);
  const int bottom = top + Px(1200, dpi);
  EXPECT_EQ(capture.At(right - 1, top), outline);
  EXPECT_EQ(capture.At(right - 1, bottom - 1), outline);
  EXPECT_EQ(capture.At(left + 50, bottom - 1), outline);
  EXPECT_EQ(capture.At(right, top), back);
  EXPECT_EQ(capture.At(right - 1, bottom), back);
  EXPECT_EQ(capture.At(right - 2, bottom - 2), back);  // no fill

  // The opaque label in front hides the outline where it covers it; elsewhere it shows.
  const int coverLeft = Px(1800, dpi);
  const int coverRight = coverLeft + Px(600, dpi);
  EXPECT_EQ(capture.At(coverLeft - 2, top), outline);
  EXPECT_EQ(capture.At(coverLeft + 2, top), back);
  EXPECT_EQ(capture.At(coverRight + 1, top), outline);

  // Three pixels wide.
  const int x = Px(4500, dpi);
  const int y = Px(2100, dpi);
  for (int dx = -1; dx <= 1; ++dx) {
    EXPECT_EQ(capture.At(x + dx, y), outline) << dx;
  }
  EXPECT_EQ(capture.At(x - 2, y), back);
  EXPECT_EQ(capture.At(x + 2, y), back);

  // Word-wrapped at the spaces, the second line within the box, the third cut off below it.
  const COLORREF yellow = RGB(255, 255, 0);
  const RECT wrapped{Px(3000, dpi), Px(150, dpi), Px(3900, dpi), Px(750, dpi)};
  const int lineHeight = (wrapped.bottom - wrapped.top) * 2 / 5;
  EXPECT_GT(
      capture.Count(yellow, {wrapped.left, wrapped.top, wrapped.right, wrapped.top + lineHeight}),
      0);
  EXPECT_GT(capture.Count(yellow, {wrapped.left, wrapped.top + lineHeight, wrapped.right,
                                   wrapped.top + 2 * lineHeight}),
            0);
  EXPECT_EQ(capture.Count(yellow, {0, wrapped.bottom, Px(6000, dpi), Px(3000, dpi)}), 0);
  EXPECT_EQ(capture.Count(yellow, {wrapped.right, 0, Px(6000, dpi), Px(3000, dpi)}), 0);
}

TEST(Painting, SystemColoursFollowTheColourScheme) {
  Harness harness;
  const int dpi = harness.Dpi();
  const BuiltForm painting(harness, PaintingDescription(), FormId::Form3, true);
  const HWND window = painting.Handle();
  ASSERT_NE(window, nullptr);
  const RECT label{Px(150, dpi), Px(150, dpi), Px(1650, dpi), Px(900, dpi)};

  // A spot of the label's text, in the highlight text colour, both as printed and on screen.
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHTTEXT);
  const Capture before(window);
  POINT spot{-1, -1};
  for (int y = label.top; y < label.bottom && spot.x < 0; ++y) {
    for (int x = label.left; x < label.right && spot.x < 0; ++x) {
      if (before.At(x, y) == highlight) {
        spot = {x, y};
      }
    }
  }
  ASSERT_GE(spot.x, 0) << "no pixel of the label's text has the highlight text colour";
  UpdateWindow(window);
  {
    const winkit::WindowDc dc(window);
    EXPECT_EQ(GetPixel(dc.Get(), spot.x, spot.y), highlight);
  }

  const COLORREF changed = highlight == RGB(255, 0, 255) ? RGB(0, 255, 0) : RGB(255, 0, 255);
  const SystemColourChange scheme(COLOR_HIGHLIGHTTEXT, changed);
  Pump(kSettleMs);
  UpdateWindow(window);
  const Capture after(window);
  EXPECT_EQ(after.At(spot.x, spot.y), changed);
  EXPECT_EQ(after.Count(highlight, label), 0);
  const winkit::WindowDc dc(window);
  EXPECT_EQ(GetPixel(dc.Get(), spot.x, spot.y), changed);
}

TEST(Painting, PicturesAreDrawnUnscaledFromTheTopLeftAndCut) {
  Harness harness;
  const BuiltForm splash(harness, forms::Form2Description(), FormId::Form2);
  const HWND window = splash.Handle();
  ASSERT_NE(window, nullptr);
  const Capture capture(window);
  RECT client{};
  GetClientRect(window, &client);
  if (!HasResource(ZIBBET_BITMAP_FORM2, MAKEINTRESOURCEW(2) /* RT_BITMAP */)) {
    // Without the picture, Image1 draws nothing: the surface shows the window's colour.
    EXPECT_EQ(capture.Count(GetSysColor(COLOR_BTNFACE), client), client.right * client.bottom);
    return;
  }
  const winkit::UniqueBitmap picture(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ZIBBET_BITMAP_FORM2), IMAGE_BITMAP, 0,
                 0, LR_CREATEDIBSECTION)));
  const winkit::UniqueDc dc(CreateCompatibleDC(nullptr));
  const winkit::ScopedSelect select(dc.Get(), picture.Get());
  BITMAP size{};
  ASSERT_NE(GetObjectW(picture.Get(), sizeof size, &size), 0);
  // Pixel for pixel as far as both reach (at 96 DPI the client cuts off its bottom rows).
  const int right = std::min<int>(size.bmWidth, client.right);
  const int bottom = std::min<int>(size.bmHeight, client.bottom);
  for (const POINT p : {POINT{0, 0}, POINT{right - 1, bottom - 1}, POINT{right / 2, bottom / 3}}) {
    EXPECT_EQ(capture.At(p.x, p.y), GetPixel(dc.Get(), p.x, p.y)) << p.x << "," << p.y;
  }
  // Where the box (grown with the DPI) is larger than the picture, the window's colour shows.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  if (size.bmWidth < client.right) {
    EXPECT_EQ(capture.Count(face, {size.bmWidth, 0, client.right, bottom}),
              (client.right - size.bmWidth) * bottom);
  }
  if (size.bmHeight < client.bottom) {
    EXPECT_EQ(capture.Count(face, {0, size.bmHeight, right, client.bottom}),
              right * (client.bottom - size.bmHeight));
  }
}

// --- Text boxes and keyboard -----------------------------------------------------------------

TEST(TextBoxes, TypedTextReachesTheModelAndModelTextTheBox) {
  Harness harness;
  const forms::FormDesc& desc = forms::Form1Description();
  const HWND window = harness.Show(FormId::Form1);
  const HWND text2 = Child(window, desc, "Text2");
  ASSERT_TRUE(FocusOn(window, text2));
  // Ctrl+A selects the whole text, which the typing then replaces.
  SendMessageW(text2, EM_SETSEL, 1, 1);
  Key(VK_CONTROL, false);
  Press('A');
  Key(VK_CONTROL, true);
  Type(u"Ann Lee");
  EXPECT_EQ(TextOf(text2), L"Ann Lee");
  EXPECT_EQ(harness.ControlOf(FormId::Form1, "Text2").Text(), u"Ann Lee");

  // The model's own change shows; the same text again leaves the caret where it is.
  harness.ControlOf(FormId::Form1, "Text1").SetText(u"Late Show");
  EXPECT_EQ(TextOf(Child(window, desc, "Text1")), L"Late Show");
  SendMessageW(text2, EM_SETSEL, 2, 2);
  harness.ControlOf(FormId::Form1, "Text2").SetText(u"Ann Lee");
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(text2, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2U);
  EXPECT_EQ(end, 2U);
}

TEST(TextBoxes, ABoxDisabledInTheModelStaysVisibleAndTakesNoInput) {
  Harness harness;
  const forms::FormDesc& desc = forms::Form1Description();
  const HWND window = harness.Show(FormId::Form1);
  const HWND text1 = Child(window, desc, "Text1");
  ASSERT_TRUE(FocusOn(window, text1));
  harness.ControlOf(FormId::Form1, "Text1").SetEnabled(false);
  Pump(kSettleMs);
  EXPECT_FALSE(IsWindowEnabled(text1));
  EXPECT_TRUE(IsWindowVisible(text1));
  EXPECT_NE(GetFocus(), text1);
  SetFocus(text1);
  Type(u"zz");
  EXPECT_EQ(harness.ControlOf(FormId::Form1, "Text1").Text(), u"HBO Speacial");
  EXPECT_EQ(TextOf(text1), L"HBO Speacial");

  harness.ControlOf(FormId::Form1, "Text1").SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(text1));
}

TEST(TextBoxes, PasswordBoxesShowTheirMaskWhileTheModelKeepsWhatWasTyped) {
  Harness harness;
  const forms::FormDesc& desc = forms::Form4Description();
  const HWND window = harness.Show(FormId::Form4);
  const struct {
    const char* name;
    wchar_t mask;
  } cases[] = {{"Text1", 0}, {"Text2", L'*'}, {"Text3", L'0'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const HWND box = Child(window, desc, c.name);
    EXPECT_EQ(SendMessageW(box, EM_GETPASSWORDCHAR, 0, 0), c.mask);
    ASSERT_TRUE(FocusOn(window, box));
    Type(u"s3cr1t");
    EXPECT_EQ(harness.ControlOf(FormId::Form4, c.name).Text(), u"s3cr1t");
  }
}

TEST(Keyboard, EnterInAnyBoxOfForm4PressesTheDefaultButton) {
  Harness harness;
  const forms::FormDesc& desc = forms::Form4Description();
  const HWND window = harness.Show(FormId::Form4);
  for (const char* name : {"Text1", "Text2", "Text3"}) {
    SCOPED_TRACE(name);
    const HWND box = Child(window, desc, name);
    ASSERT_TRUE(FocusOn(window, box));
    harness.TakeLog();
    Press(VK_RETURN);
    EXPECT_EQ(harness.TakeLog(), std::vector<std::string>{"Form4:Command1_Click"});
    EXPECT_EQ(TextOf(box), L"");  // the edit never saw the Enter
  }
  // On a button, Enter presses that button.
  ASSERT_TRUE(FocusOn(window, Child(window, desc, "Command2")));
  Press(VK_RETURN);
  EXPECT_EQ(harness.TakeLog(), std::vector<std::string>{"Form4:Command2_Click"});

  // Inside a wait's own message pumping too.
  ASSERT_TRUE(FocusOn(window, Child(window, desc, "Text2")));
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  harness.program.WaitSeconds(1);
  EXPECT_EQ(harness.TakeLog(), std::vector<std::string>{"Form4:Command1_Click"});
}

TEST(Keyboard, TabAndShiftTabFollowTheTabOrder) {
  Harness harness;
  const forms::FormDesc& desc = forms::Form4Description();
  const HWND window = harness.Show(FormId::Form4);
  const std::vector<std::string> order = {"Text1", "Text2", "Text3", "Command1", "Command2"};
  // Shown and active: the first in the tab order has the focus.
  EXPECT_EQ(GetFocus(), Child(window, desc, "Text1"));
  ASSERT_TRUE(FocusOn(window, Child(window, desc, "Text1")));
  for (std::size_t i = 1; i <= order.size(); ++i) {
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Child(window, desc, order[i % order.size()])) << i;
  }
  for (std::size_t i = order.size(); i-- > 0;) {
    Press(VK_TAB, true);
    EXPECT_EQ(GetFocus(), Child(window, desc, order[i])) << i;
  }
  // Disabled or hidden controls are passed over.
  harness.ControlOf(FormId::Form4, "Text2").SetEnabled(false);
  harness.ControlOf(FormId::Form4, "Text3").SetVisible(false);
  ASSERT_TRUE(FocusOn(window, Child(window, desc, "Text1")));
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), Child(window, desc, "Command1"));

  // Labels never take the focus: on Form1 it goes from the text boxes to the next text box.
  const forms::FormDesc& desc1 = forms::Form1Description();
  const HWND window1 = harness.Show(FormId::Form1);
  ASSERT_TRUE(FocusOn(window1, Child(window1, desc1, "Text2")));
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), Child(window1, desc1, "Text3"));
  Press(VK_TAB);
  EXPECT_EQ(GetFocus(), Child(window1, desc1, "Text1"));
}

// --- Mouse -----------------------------------------------------------------------------------

TEST(Mouse, ClicksGoToTheLabelOrPictureUnderThePointerElseToTheWindow) {
  Harness harness;
  const HWND window1 = harness.Show(FormId::Form1);
  const int dpi = harness.Dpi();
  struct Case {
    const char* what;
    POINT at;
    std::vector<std::string> raised;
  };
  const Case cases[] = {
      {"ON", harness.CentreOf(FormId::Form1, "Label6"), {"Form1:Label6_Click"}},
      // The real console has no handler for these two: nothing happens.
      {"OFF", harness.CentreOf(FormId::Form1, "Label7"), {"Form1:Label7_Click"}},
      {"Minutes", harness.CentreOf(FormId::Form1, "Label2"), {"Form1:Label2_Click"}},
      // Shapes take no clicks: inside Shape6, on no label.
      {"surface", {Px(60, dpi), Px(360, dpi)}, {"Form1:Form_Click"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    harness.TakeLog();
    SetForegroundWindow(window1);
    harness.Click(window1, c.at);
    EXPECT_TRUE(PumpUntil([&] { return !harness.log.empty(); }));
    Pump(kSettleMs);
    EXPECT_EQ(harness.TakeLog(), c.raised);
  }

  // A double-click is a click and then a double-click.
  harness.Click(window1, {Px(60, dpi), Px(360, dpi)}, true);
  EXPECT_TRUE(PumpUntil([&] { return harness.log.size() >= 2; }));
  EXPECT_EQ(harness.TakeLog(),
            (std::vector<std::string>{"Form1:Form_Click", "Form1:Form_DblClick"}));

  const HWND window2 = harness.Show(FormId::Form2);
  harness.TakeLog();
  harness.Click(window2, harness.CentreOf(FormId::Form2, "Image1"));
  EXPECT_TRUE(PumpUntil([&] { return !harness.log.empty(); }));
  EXPECT_EQ(harness.TakeLog(), std::vector<std::string>{"Form2:Image1_Click"});

  const HWND window3 = harness.Show(FormId::Form3);
  harness.TakeLog();
  harness.Click(window3, harness.CentreOf(FormId::Form3, "Command9"));
  EXPECT_TRUE(PumpUntil([&] { return !harness.log.empty(); }));
  EXPECT_EQ(harness.TakeLog(), std::vector<std::string>{"Form3:Command9_Click"});
}

TEST(Mouse, PointersFollowWhatIsUnderThem) {
  Harness harness;
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const bool custom1 = HasResource(ZIBBET_ICON_FORM1_POINTER, MAKEINTRESOURCEW(3) /* RT_ICON */);
  struct Case {
    const char* what;
    FormId form;
    POINT at;
    HCURSOR expected;  // nullptr: the custom pointer, or the arrow without its icon
  };
  const Case cases[] = {
      {"ON", FormId::Form1, harness.CentreOf(FormId::Form1, "Label6"),
       LoadCursorA(nullptr, IDC_UPARROW)},
      {"X", FormId::Form1, harness.CentreOf(FormId::Form1, "Label3"),
       LoadCursorA(nullptr, IDC_UPARROW)},
      {"OFF", FormId::Form1, harness.CentreOf(FormId::Form1, "Label7"), arrow},
      {"Text1", FormId::Form1, harness.CentreOf(FormId::Form1, "Text1"),
       LoadCursorA(nullptr, IDC_IBEAM)},
      {"title", FormId::Form1, harness.CentreOf(FormId::Form1, "Label5"), nullptr},
      {"surface", FormId::Form1, {2, 30}, nullptr},
      {"Image1", FormId::Form2, harness.CentreOf(FormId::Form2, "Image1"), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Both are centred: the one shown last is in front.
    const HWND window = harness.Show(c.form);
    POINT screen = c.at;
    ClientToScreen(window, &screen);
    // Moved there through the input path, by way of a spot elsewhere so that it really moves.
    for (const POINT p : {POINT{screen.x + 1, screen.y + 1}, screen}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dx = p.x * 65536 / GetSystemMetrics(SM_CXSCREEN) + 1;
      input.mi.dy = p.y * 65536 / GetSystemMetrics(SM_CYSCREEN) + 1;
      input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
      SendInput(1, &input, sizeof input);
      Pump(kSettleMs);
    }
    POINT now{};
    GetCursorPos(&now);
    ASSERT_EQ(now.x, screen.x);
    ASSERT_EQ(now.y, screen.y);
    const HCURSOR cursor = GetCursor();
    if (c.expected != nullptr) {
      EXPECT_EQ(cursor, c.expected);
    } else if (c.form == FormId::Form1
                   ? custom1
                   : HasResource(ZIBBET_ICON_FORM2_POINTER, MAKEINTRESOURCEW(3))) {
      EXPECT_NE(cursor, arrow);
      EXPECT_NE(cursor, nullptr);
    } else {
      EXPECT_EQ(cursor, arrow);
    }
  }
}

// --- Lifetimes -------------------------------------------------------------------------------

TEST(Lifetimes, ClosingForm5UnloadsOnlyIt) {
  Harness harness;
  const HWND window4 = harness.Show(FormId::Form4);
  const HWND window5 = harness.Show(FormId::Form5);
  harness.TakeLog();
  SendMessageW(window5, WM_CLOSE, 0, 0);
  EXPECT_EQ(harness.program.Loaded(FormId::Form5), nullptr);
  EXPECT_FALSE(IsWindow(window5));
  EXPECT_NE(harness.program.Loaded(FormId::Form4), nullptr);
  EXPECT_TRUE(IsWindowVisible(window4));
  EXPECT_EQ(harness.TakeLog(), std::vector<std::string>{"Form5:Form_Unload"});

  // Shown again: built afresh.
  const HWND again = harness.Show(FormId::Form5);
  EXPECT_TRUE(IsWindowVisible(again));
  EXPECT_EQ(harness.TakeLog(), std::vector<std::string>{"Form5:Form_Load"});
}

TEST(Lifetimes, AWindowMayUnloadItselfFromItsOwnEvents) {
  Harness harness;
  harness.Show(FormId::Form5);  // keeps the program going
  const auto unload = [&](FormId id) { return [&harness, id] { harness.program.Unload(id); }; };
  harness.actions["Form3:Label3_Click"] = unload(FormId::Form3);
  harness.actions["Form3:Command1_Click"] = unload(FormId::Form3);
  harness.actions["Form4:Command1_Click"] = unload(FormId::Form4);
  harness.actions["Form1:Timer1_Timer"] = unload(FormId::Form1);

  // A click on a drawn label, a click on a button, Enter for the default button, a timer tick.
  HWND window = harness.Show(FormId::Form3);
  harness.Click(window, harness.CentreOf(FormId::Form3, "Label3"));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
  EXPECT_EQ(harness.program.Loaded(FormId::Form3), nullptr);

  window = harness.Show(FormId::Form3);
  harness.Click(window, harness.CentreOf(FormId::Form3, "Command1"));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));

  window = harness.Show(FormId::Form4);
  ASSERT_TRUE(FocusOn(window, Child(window, forms::Form4Description(), "Text3")));
  Press(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));

  window = harness.Show(FormId::Form1);
  harness.ControlOf(FormId::Form1, "Timer1").SetInterval(20);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
  EXPECT_EQ(harness.program.Loaded(FormId::Form1), nullptr);

  harness.TakeLog();
  Pump(kSettleMs);
  EXPECT_TRUE(harness.log.empty());
  EXPECT_NE(harness.program.Loaded(FormId::Form5), nullptr);
}

// --- Timers and window state ------------------------------------------------------------------

TEST(Timers, TickWhileEnabledAndKeepTheirRhythmWhenEnabledAgain) {
  Harness harness;
  harness.Show(FormId::Form1);
  forms::Control& timer = harness.ControlOf(FormId::Form1, "Timer1");
  const auto ticks = [&] {
    return std::count(harness.log.begin(), harness.log.end(), "Form1:Timer1_Timer");
  };
  constexpr int kPeriodMs = 50;
  timer.SetInterval(kPeriodMs);
  harness.TakeLog();
  EXPECT_TRUE(PumpUntil([&] { return ticks() >= 3; }));

  timer.SetEnabled(false);
  Pump(kPeriodMs);
  harness.TakeLog();
  Pump(kPeriodMs * 6);
  EXPECT_EQ(ticks(), 0);

  // Enabling a running timer again and again, more often than its period: a restarted timer
  // would never tick.
  constexpr int kLongerPeriodMs = 200;
  timer.SetInterval(kLongerPeriodMs);
  timer.SetEnabled(true);
  for (int i = 0; i < 30; ++i) {
    timer.SetEnabled(true);
    Pump(kLongerPeriodMs / 5);
  }
  EXPECT_GE(ticks(), 2);
}

TEST(Timers, PlatformTickersTickUntilDestroyedEvenByTheirOwnTick) {
  TestPlatform platform;
  int ticks = 0;
  auto ticker = platform.Every(20, [&] { ++ticks; });
  ASSERT_NE(ticker, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  ticker.reset();
  const int stopped = ticks;
  Pump(100);
  EXPECT_EQ(ticks, stopped);

  std::unique_ptr<forms::Ticker> once;
  int onceTicks = 0;
  once = platform.Every(10, [&] {
    ++onceTicks;
    once.reset();
  });
  Pump(100);
  EXPECT_EQ(onceTicks, 1);
  EXPECT_EQ(once, nullptr);
}

TEST(WindowState, MinimizeRestoreHideShowAndTopmost) {
  Harness harness;
  const HWND window1 = harness.Show(FormId::Form1);
  forms::Form& form1 = *harness.program.Loaded(FormId::Form1);
  form1.SetState(forms::WindowState::Minimized);
  Pump(kSettleMs);
  EXPECT_TRUE(IsIconic(window1));
  form1.SetState(forms::WindowState::Normal);
  Pump(kSettleMs);
  EXPECT_FALSE(IsIconic(window1));
  EXPECT_TRUE(IsWindowVisible(window1));

  harness.program.Hide(FormId::Form1);
  EXPECT_FALSE(IsWindowVisible(window1));
  EXPECT_EQ(harness.Show(FormId::Form1), window1);  // hidden, not unloaded
  EXPECT_TRUE(IsWindowVisible(window1));

  form1.MakeTopmost();
  EXPECT_NE(GetWindowLongW(window1, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

  // A show of a visible window brings it to the front.
  const HWND window5 = harness.Show(FormId::Form5);
  EXPECT_EQ(GetForegroundWindow(), window5);
  harness.Show(FormId::Form1);
  EXPECT_EQ(GetForegroundWindow(), window1);

  // Minimized by the user: the model follows.
  ShowWindow(window5, SW_MINIMIZE);
  Pump(kSettleMs);
  EXPECT_EQ(harness.program.Loaded(FormId::Form5)->State(), forms::WindowState::Minimized);
  ShowWindow(window5, SW_RESTORE);
  Pump(kSettleMs);
  EXPECT_EQ(harness.program.Loaded(FormId::Form5)->State(), forms::WindowState::Normal);

  // The splash window's icon, where the program file carries it.
  const HWND window2 = harness.Show(FormId::Form2);
  const bool hasIcon = HasResource(ZIBBET_ICON_APP, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
  EXPECT_EQ(SendMessageW(window2, WM_GETICON, ICON_BIG, 0) != 0, hasIcon);
  EXPECT_EQ(SendMessageW(window2, WM_GETICON, ICON_SMALL, 0) != 0, hasIcon);
}

}  // namespace
