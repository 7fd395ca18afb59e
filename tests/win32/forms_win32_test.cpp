// The form windows under Wine: what only real windows show (sizes at the display's DPI, frames,
// stacking, pixels, focus, pointers), driven with real mouse and keyboard input.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "RealWindows.h"
#include "formkit/Description.h"
#include "formkit/Display.h"
#include "formkit/Program.h"
#include "forms/Forms.h"
#include "forms/Resources.h"
#include "win32/formkit/FormResources.h"
#include "win32/formkit/FormWindow.h"
#include "win32/formkit/Win32Platform.h"
#include "winkit/Dpi.h"
#include "winkit/Handles.h"
#include "winkit/MessagePump.h"
#include "winkit/Text.h"

namespace {

using formkit::FormId;
using formkit::Kind;
using testing_win32::Capture;
using testing_win32::Click;
using testing_win32::kSettleMs;
using testing_win32::MoveTo;
using testing_win32::Pump;
using testing_win32::Send;
using testing_win32::TestPlatform;

constexpr FormId kForms[] = {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4,
                             FormId::Form5};

bool PumpUntil(const std::function<bool()>& done) {
  return winkit::PumpUntil(done, 2000, 10, &formkit_win32::PreTranslateFormMessage);
}
HWND HandleOf(const formkit::Form& form) {
  return static_cast<formkit_win32::FormWindow*>(form.View())->Handle();
}

// Every click, double click and tick a window can raise, each recording "Form1:Label6_Click".
class Recorder final : public formkit::Behaviour {
 public:
  Recorder(const formkit::Form& form, std::vector<std::string>& log) {
    using formkit::Event;
    const auto& controls = form.Desc().controls;
    for (std::size_t i = 0; i <= controls.size(); ++i) {
      const auto control = i < controls.size() ? std::optional(i) : std::nullopt;
      const std::string who =
          std::string(form.Name()) + ":" + std::string(control ? controls[i].name : "Form");
      for (const auto& [event, name] : {std::pair{Event::Click, "_Click"},
                                        {Event::DblClick, "_DblClick"},
                                        {Event::Timer, "_Timer"}}) {
        if (formkit::Raises(form.Desc(), {control, event})) {
          Handle({control, event}, [&log, entry = who + name](auto&) { log.push_back(entry); });
        }
      }
    }
  }
};

std::size_t IndexIn(FormId id, std::string_view name) {
  return formkit::IndexOf(forms::DescriptionOf(id), name).value();
}

struct Harness {
  TestPlatform platform;
  std::vector<std::string> log;
  formkit::Program program{platform, forms::kDescriptions,
                           [this](formkit::Program&, FormId, formkit::Form& form) {
                             return std::make_unique<Recorder>(form, log);
                           }};
  const int dpi = winkit::SystemDpi();

  int Px(int twips) const { return formkit::TwipsToPixels(twips, dpi); }
  HWND Show(FormId id) {
    program.Show(id);
    Pump(kSettleMs);
    return HandleOf(*program.Loaded(id));
  }
  HWND Child(FormId id, std::string_view name) {
    const std::size_t index = IndexIn(id, name);
    return GetDlgItem(HandleOf(*program.Loaded(id)),
                      formkit_win32::ControlId(static_cast<std::size_t>(index)));
  }
  formkit::Control& ControlOf(FormId id, std::string_view name) {
    return program.Loaded(id)->Controls()[IndexIn(id, name)];
  }
  std::vector<std::string> TakeLog() { return std::exchange(log, {}); }
  POINT CentreOf(FormId id, std::string_view name) const {
    const formkit::ControlDesc& c = forms::DescriptionOf(id).controls[IndexIn(id, name)];
    return {Px(c.left) + Px(c.width) / 2, Px(c.top) + Px(c.height) / 2};
  }
};

// Each group's cases start from a program of their own.
class WithProgram : public ::testing::Test {
 protected:
  Harness harness;
};
using FormWindows = WithProgram;
using Painting = WithProgram;
using TextBoxes = WithProgram;
using Fonts = WithProgram;
using Keyboard = WithProgram;
using Mouse = WithProgram;
using Windows = WithProgram;

void Press(WORD key, bool shift = false, bool pump = true) {
  const std::vector<WORD> keys = shift ? std::vector<WORD>{VK_SHIFT, key} : std::vector{key};
  std::for_each(keys.begin(), keys.end(), [](WORD k) { Send(0, k); });
  std::for_each(keys.rbegin(), keys.rend(), [](WORD k) { Send(KEYEVENTF_KEYUP, k); });
  if (pump) {
    Pump(kSettleMs);
  }
}

// Keyboard input goes to the focus: make sure it is where the test wants it.
bool FocusOn(HWND child) {
  SetForegroundWindow(GetParent(child));
  SetFocus(child);
  Pump(kSettleMs);
  return GetFocus() == child;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

TEST_F(FormWindows, EachHasItsFrameAndItsClientSizeAtTheScale) {
  const struct {
    bool caption, systemMenu, sizable;
  } cases[] = {{false, false, false},
               {true, false, false},
               {false, false, false},
               {false, false, false},
               {true, true, true}};
  for (std::size_t i = 0; i < std::size(kForms); ++i) {
    const auto& c = cases[i];
    const formkit::FormDesc& desc = forms::DescriptionOf(kForms[i]);
    SCOPED_TRACE(std::string(desc.name));
    const HWND window = harness.Show(kForms[i]);
    EXPECT_EQ(TextOf(window), std::wstring(desc.caption.begin(), desc.caption.end()));
    RECT client{}, frame{};
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    EXPECT_EQ(client.right, harness.Px(desc.clientWidth));
    EXPECT_EQ(client.bottom, harness.Px(desc.clientHeight));
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, c.caption);
    EXPECT_EQ((style & WS_SYSMENU) != 0, c.systemMenu);
    EXPECT_EQ((style & WS_THICKFRAME) != 0, c.sizable);
    EXPECT_EQ((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0, c.sizable);
    EXPECT_NE(style & WS_CLIPCHILDREN, 0U);
    // Borderless: the window is its client area.
    EXPECT_TRUE(c.caption || frame.right - frame.left == client.right);
    EXPECT_TRUE(c.caption || frame.bottom - frame.top == client.bottom);
    if (desc.start == formkit::StartPosition::CenterScreen) {
      EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
      EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    }
  }
}

// The links panel and the picture window leave their place to the system: they cascade, the
// borderless panel too, instead of both opening at the screen's corner.
TEST_F(FormWindows, ThoseWithoutAPlaceCascadeFromTheWorkAreasCorner) {
  RECT panel{}, picture{}, work{};
  GetWindowRect(harness.Show(FormId::Links), &panel);
  GetWindowRect(harness.Show(FormId::Picture), &picture);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(panel.left, work.left);
  EXPECT_EQ(panel.top, work.top);
  EXPECT_GT(picture.left, panel.left);
  EXPECT_EQ(picture.left - panel.left, picture.top - panel.top);
}

// Boxes, buttons and picture boxes are child windows at their places, the first stored on top,
// in plain ANSI fonts; the other kinds are drawn on the surface.
TEST_F(FormWindows, ChildWindowsSitAtTheirPlacesInStoredOrder) {
  int fonts = 0;
  for (const FormId id : kForms) {
    const formkit::FormDesc& desc = forms::DescriptionOf(id);
    const HWND window = harness.Show(id);
    std::vector<HWND> stored;
    std::vector<HWND> zOrder;
    for (std::size_t i = 0; i < desc.controls.size(); ++i) {
      const formkit::ControlDesc& c = desc.controls[i];
      const HWND child = GetDlgItem(window, formkit_win32::ControlId(i));
      EXPECT_EQ(child != nullptr,
                c.kind == Kind::TextBox || c.kind == Kind::Button || c.kind == Kind::PictureBox)
          << c.name;
      RECT r{};
      GetWindowRect(child, &r);
      MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
      const RECT expected{harness.Px(c.left), harness.Px(c.top),
                          harness.Px(c.left) + harness.Px(c.width),
                          harness.Px(c.top) + harness.Px(c.height)};
      EXPECT_TRUE(child == nullptr || EqualRect(&r, &expected)) << desc.name << "." << c.name;
      if (child != nullptr) {
        stored.push_back(child);
      }
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      zOrder.push_back(child);
      const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
      LOGFONTW logical{};
      if (font != nullptr && GetObjectW(font, sizeof logical, &logical) != 0) {
        EXPECT_EQ(logical.lfCharSet, ANSI_CHARSET) << logical.lfFaceName;
        EXPECT_FALSE(logical.lfItalic || logical.lfUnderline || logical.lfStrikeOut);
        ++fonts;
      }
    }
    EXPECT_EQ(zOrder, stored) << desc.name;
  }
  EXPECT_GT(fonts, 0);
}

// Where the picture window's two pictures overlap, the one stored first is on top; the secret
// panel's Line2, drawn on the surface, runs on under Text2, which covers it.
TEST_F(FormWindows, OverlapsShowTheStoredOrderAndChildrenOverTheSurface) {
  const HWND window5 = harness.Show(FormId::Form5);
  EXPECT_EQ(ChildWindowFromPoint(window5, {harness.Px(3650), harness.Px(100)}),
            harness.Child(FormId::Form5, "Picture2"));
  const HWND window4 = harness.Show(FormId::Form4);
  UpdateWindow(window4);
  const winkit::WindowDc dc(window4);
  const COLORREF line = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_EQ(GetPixel(dc.Get(), harness.Px(600), harness.Px(360)), line);
  EXPECT_NE(GetPixel(dc.Get(), harness.Px(1100), harness.Px(360)), line);
}

// Refuses to make the secret panel's Text2, as a system short of resources would.
LRESULT CALLBACK RefuseText2(int code, WPARAM wParam, LPARAM lParam) {
  static constexpr auto kRefused = static_cast<INT_PTR>(
      formkit_win32::ControlId(*formkit::IndexOf(forms::DescriptionOf(FormId::Form4), "Text2")));
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (create.hwndParent != nullptr && reinterpret_cast<INT_PTR>(create.hMenu) == kRefused) {
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A control the system will not make leaves its window without it, reported through the
// program's fault path; the rest of the window is made.
TEST_F(FormWindows, AControlTheSystemWillNotMakeIsAFault) {
  harness.platform.CollectFaults();
  {
    const std::unique_ptr<std::remove_pointer_t<HHOOK>, decltype(&UnhookWindowsHookEx)> hook(
        SetWindowsHookExW(WH_CBT, &RefuseText2, nullptr, GetCurrentThreadId()),
        &UnhookWindowsHookEx);
    ASSERT_NE(hook, nullptr);
    harness.Show(FormId::Form4);
  }
  const std::vector<std::string> faults = harness.platform.TakeFaults();
  ASSERT_EQ(faults.size(), 1U);
  EXPECT_NE(faults[0].find("Form4"), std::string::npos) << faults[0];
  EXPECT_NE(faults[0].find("Text2"), std::string::npos) << faults[0];
  EXPECT_EQ(harness.Child(FormId::Form4, "Text2"), nullptr);
  EXPECT_NE(harness.Child(FormId::Form4, "Text3"), nullptr);
}

// Unloaded, a window is hidden at once and destroyed once the message loop takes over again,
// its own handler's message long done; shown again, it is a window anew.
TEST_F(FormWindows, AnUnloadedWindowHidesAtOnceAndGoesFromTheMessageLoop) {
  harness.Show(FormId::Splash);  // so that the program goes on
  const HWND window = harness.Show(FormId::Picture);
  harness.program.Unload(FormId::Picture);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(PumpUntil([&] { return IsWindow(window) == FALSE; }));
  EXPECT_TRUE(IsWindowVisible(harness.Show(FormId::Picture)));
}

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// One of each drawn kind on a window of its own, where its pixels can be told apart.
class Drawn : public WithProgram {
 protected:
  // clang-format off
  static constexpr formkit::ControlDesc kDrawn[] = {
    {.name = "Highlight", .left = 150, .top = 150, .width = 1500, .height = 750, .text = u"IIII",
     .foreColour = formkit::kHighlightText, .transparent = true,
     .font = formkit::Font{.face = "Arial", .points = 24, .weight = 700}},
    // Opaque, in front of the outline of Frame below.
    {.name = "Cover", .left = 1800, .top = 1050, .width = 600, .height = 600},
    {.name = "Wrapped", .left = 3000, .top = 150, .width = 900, .height = 600,
     .text = u"WWW WWW WWW", .foreColour = kYellow, .transparent = true,
     .font = formkit::Font{.face = "Arial", .points = 12}},
    {.name = "Frame", .kind = Kind::Shape, .left = 1500, .top = 1200, .width = 1500,
     .height = 1200},
    {.name = "Wide", .kind = Kind::Line, .left = 4500, .top = 1500, .x2 = 4500, .y2 = 2700,
     .lineWidth = 3}};
  static constexpr formkit::FormDesc kPainting{.name = "Painting", .clientWidth = 6000,
      .clientHeight = 3000, .backColour = kNavy, .controls = kDrawn};
  // clang-format on

  Drawn() { form.Attach(harness.platform.CreateView(harness.program, FormId::Form3, form)); }
  int Px(int twips) const { return harness.Px(twips); }

  formkit::Form form{kPainting};
};

// The outline runs from (left, top) inclusive to (left+width, top+height) exclusive; the opaque
// label hides it where it covers it. Pens grow from 1 and 3 pixels at 96 DPI.
TEST_F(Drawn, ShapesAndLinesCoverTheirPixelsAtTheScale) {
  EXPECT_FALSE(IsWindowVisible(HandleOf(form)));  // until the program shows it
  const Capture capture(HandleOf(form));
  const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  const int ring = formkit::ScaledPixels(1, harness.dpi);
  const int pen = formkit::ScaledPixels(3, harness.dpi);  // an even one lies left of centre
  const int first = Px(4500) - pen / 2;
  const int last = Px(4500) + (pen - 1) / 2;
  const int right = Px(1500) + Px(1500);
  const int bottom = Px(1200) + Px(1200);
  const int top = Px(1200);
  const struct {
    int x, y;
    COLORREF colour;
  } spots[] = {
      // clang-format off
      {right - 1, top, ink}, {right - 1, bottom - 1, ink}, {Px(1500) + 50, bottom - 1, ink},
      {right - ring, bottom - ring, ink}, {right - 1 - ring, bottom - 1 - ring, kNavy},
      {right, top, kNavy}, {right - 1, bottom, kNavy}, {Px(1800) - 2, top, ink},
      {Px(1800) + 2, top, kNavy}, {Px(2400) + 1, top, ink}, {Px(4500), Px(2100), ink},
      {first, Px(2100), ink}, {last, Px(2100), ink},
      {first - 1, Px(2100), kNavy}, {last + 1, Px(2100), kNavy},
      // clang-format on
  };
  for (const auto& spot : spots) {
    EXPECT_EQ(capture.At(spot.x, spot.y), spot.colour) << spot.x << "," << spot.y;
  }
}

// Word-wrapped at the spaces: two lines within the box, the third cut off below it.
TEST_F(Drawn, ALabelWrapsAtItsSpacesAndIsCutAtItsBox) {
  const Capture capture(HandleOf(form));
  const RECT box{Px(3000), Px(150), Px(3900), Px(750)};
  const int line = (box.bottom - box.top) * 2 / 5;
  EXPECT_GT(capture.Count(kYellow, {box.left, box.top, box.right, box.top + line}), 0);
  EXPECT_GT(capture.Count(kYellow, {box.left, box.top + line, box.right, box.top + 2 * line}), 0);
  EXPECT_EQ(capture.Count(kYellow, {box.left, box.bottom, box.right, Px(3000)}), 0);
  EXPECT_EQ(capture.Count(kYellow, {box.right, 0, Px(6000), Px(3000)}), 0);
}

TEST_F(Drawn, SystemColoursFollowTheSchemeWhenItChanges) {
  const RECT label{Px(150), Px(150), Px(1650), Px(900)};
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHTTEXT);
  form.SetVisible(true);
  ASSERT_GT(Capture(HandleOf(form)).Count(highlight, label), 0);
  const int index = COLOR_HIGHLIGHTTEXT;
  const COLORREF changed = highlight == RGB(255, 0, 255) ? RGB(0, 255, 0) : RGB(255, 0, 255);
  SetSysColors(1, &index, &changed);
  Pump(kSettleMs);
  const Capture after(HandleOf(form));
  SetSysColors(1, &index, &highlight);
  EXPECT_GT(after.Count(changed, label), 0);
  EXPECT_EQ(after.Count(highlight, label), 0);
}

// Each picture grows with the display: its pixel at a scaled place is the 96-DPI picture's at
// the unscaled one, give or take the smoothing, all over the picture as far as it shows.
TEST_F(Painting, PicturesGrowWithTheDisplayAndFillTheirPlaces) {
  const struct {
    FormId form;
    const char* control;  // nullptr: the window's own picture
    int picture;
  } cases[] = {{FormId::Form1, nullptr, ZIBBET_BITMAP_FORM1},
               {FormId::Form2, "Image1", ZIBBET_BITMAP_FORM2},
               {FormId::Form5, "Picture1", ZIBBET_BITMAP_FORM5_LEFT},
               {FormId::Form5, "Picture2", ZIBBET_BITMAP_FORM5_RIGHT}};
  constexpr int kGrid = 8;
  constexpr int kTolerance = 40;  // per channel
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    // Each lies at the top left of what shows it: a picture box, else the window.
    HWND target = harness.Show(c.form);
    if (c.control == nullptr) {  // the window's own: whatever is drawn over it goes
      for (formkit::Control& control : harness.program.Loaded(c.form)->Controls()) {
        control.SetVisible(false);
      }
    } else if (HWND box = harness.Child(c.form, c.control)) {
      target = box;
    }
    const Capture capture(target);
    RECT shown{};
    GetClientRect(target, &shown);
    const winkit::UniqueBitmap picture(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.picture),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    const winkit::UniqueDc dc(CreateCompatibleDC(nullptr));
    const winkit::ScopedSelect select(dc.Get(), picture.Get());
    BITMAP size{};
    ASSERT_NE(GetObjectW(picture.Get(), sizeof size, &size), 0);
    const double scale = harness.dpi / 96.0;
    int compared = 0;
    int alike = 0;
    for (int i = 0; i < kGrid * kGrid; ++i) {
      const int x = (2 * (i % kGrid) + 1) * size.bmWidth / (2 * kGrid);
      const int y = (2 * (i / kGrid) + 1) * size.bmHeight / (2 * kGrid);
      // Where the centre of the source pixel lands.
      const POINT to{static_cast<int>((x + 0.5) * scale), static_cast<int>((y + 0.5) * scale)};
      const COLORREF want = GetPixel(dc.Get(), x, y);
      const COLORREF got = capture.At(to.x, to.y);
      const auto off = [&](int shift) {
        return std::abs(int(want >> shift & 0xFF) - int(got >> shift & 0xFF));
      };
      const bool inSight = PtInRect(&shown, to) != FALSE;
      compared += inSight ? 1 : 0;
      alike += inSight && std::max({off(0), off(8), off(16)}) <= kTolerance ? 1 : 0;
    }
    EXPECT_GE(compared, kGrid * kGrid / 2);  // most of the picture is in sight
    EXPECT_GE(alike * 10, compared * 9) << alike << " of " << compared;
  }
}

// What the model holds shows; the same text set again leaves the caret where it was.
TEST_F(TextBoxes, TheModelsTextShowsAndTheSameTextKeepsTheCaret) {
  harness.Show(FormId::Form1);
  harness.ControlOf(FormId::Form1, "Text3").SetText(u"Late Show");
  EXPECT_EQ(TextOf(harness.Child(FormId::Form1, "Text3")), L"Late Show");
  const HWND text2 = harness.Child(FormId::Form1, "Text2");
  SendMessageW(text2, EM_SETSEL, 2, 2);
  harness.ControlOf(FormId::Form1, "Text2").SetText(u"quillomar");
  EXPECT_EQ(SendMessageW(text2, EM_GETSEL, 0, 0), MAKELRESULT(2, 2));
}

// Disabled, a box stays visible, loses the focus and takes no input; it keeps its colours, not
// the button face the system gives a disabled box, and its text greys.
TEST_F(TextBoxes, ADisabledBoxTakesNoInputAndKeepsItsColours) {
  harness.Show(FormId::Form1);
  const HWND text1 = harness.Child(FormId::Form1, "Text1");
  ASSERT_TRUE(FocusOn(text1));
  harness.ControlOf(FormId::Form1, "Text1").SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(text1));
  EXPECT_TRUE(IsWindowVisible(text1));
  EXPECT_NE(GetFocus(), text1);
  SetFocus(text1);
  Press('Z');
  EXPECT_EQ(TextOf(text1), L"HBO Speacial");
  EXPECT_EQ(harness.ControlOf(FormId::Form1, "Text1").Text(), u"HBO Speacial");
  ASSERT_NE(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNFACE));
  const Capture box(text1);
  RECT client{};
  GetClientRect(text1, &client);
  EXPECT_GT(box.Count(GetSysColor(COLOR_WINDOW), client) * 2, client.right * client.bottom);
  EXPECT_EQ(box.Count(GetSysColor(COLOR_BTNFACE), client), 0);
  EXPECT_GT(box.Count(GetSysColor(COLOR_GRAYTEXT), client), 0);
}

// Whether the caption is whole inside its control in the font: a label wraps within its height,
// a button keeps one line clear of its raised edge.
bool CaptionFits(const formkit::ControlDesc& c, HFONT font, int dpi) {
  const winkit::UniqueDc dc(CreateCompatibleDC(nullptr));
  const winkit::ScopedSelect select(dc.Get(), font);
  const bool label = c.kind == Kind::Label;
  const int across =
      formkit::TwipsToPixels(c.width, dpi) - (label ? 0 : 2 * GetSystemMetrics(SM_CXEDGE));
  const std::wstring text(c.text.begin(), c.text.end());
  RECT needed{0, 0, across, 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | (label ? DT_WORDBREAK : DT_SINGLELINE));
  return needed.right <= across && needed.bottom <= formkit::TwipsToPixels(c.height, dpi);
}

// Every caption of the five windows, in the font its window really draws it in, is whole inside
// its control, in the described face or, where the system lacks it, a narrow stand-in: at the
// described height where it fits, else the largest that fits. A face nobody has, in a control
// too small for any, stops at half the described height.
TEST_F(Fonts, EveryCaptionIsWholeShrunkTheLeastThatFitsNeverBelowHalf) {
  const auto installed = [](std::string_view f) { return formkit_win32::FaceInstalled(f, 0); };
  for (const FormId id : kForms) {
    const HWND window = harness.Show(id);
    auto& view = *formkit_win32::FormWindow::FromHandle(window);
    ASSERT_EQ(view.Dpi(), harness.dpi);
    const formkit::FormDesc& desc = forms::DescriptionOf(id);
    for (std::size_t i = 0; i < desc.controls.size(); ++i) {
      const formkit::ControlDesc& c = desc.controls[i];
      const formkit::Font described = c.font.value_or(desc.font.value_or(formkit::Font{}));
      if ((c.kind != Kind::Label && c.kind != Kind::Button) || c.text.empty() ||
          described.face.empty()) {
        continue;
      }
      SCOPED_TRACE(std::string(desc.name) + "." + std::string(c.name));
      HFONT font = view.FontOf(i);
      if (c.kind == Kind::Button) {
        EXPECT_EQ(
            reinterpret_cast<HFONT>(SendMessageW(harness.Child(id, c.name), WM_GETFONT, 0, 0)),
            font);
      }
      EXPECT_TRUE(CaptionFits(c, font, harness.dpi));
      LOGFONTW logical{};
      GetObjectW(font, sizeof logical, &logical);
      const auto face =
          installed(described.face)
              ? described.face
              : formkit::StandInFace(described.face, installed).value_or(described.face);
      EXPECT_EQ(logical.lfFaceName, winkit::WideFromUtf8(face));
      const int full = static_cast<int>(std::lround(described.points * harness.dpi / 72));
      EXPECT_LE(-logical.lfHeight, full);
      if (-logical.lfHeight < full) {  // a pixel more would not fit
        --logical.lfHeight;
        const winkit::UniqueFont larger(CreateFontIndirectW(&logical));
        EXPECT_FALSE(CaptionFits(c, larger.Get(), harness.dpi));
      }
    }
  }
  static const formkit::ControlDesc off[] = {
      {.name = "Off", .width = 255, .height = 255, .text = u"OFF"}};
  static const formkit::FormDesc lacking{
      .name = "Lacking",
      .font = formkit::Font{.face = "Zibbet No Such Face", .points = 24, .weight = 700},
      .controls = off};
  formkit_win32::FormResources resources(GetModuleHandleW(nullptr), lacking, harness.dpi);
  LOGFONTW logical{};
  GetObjectW(resources.CaptionFont(0), sizeof logical, &logical);
  EXPECT_EQ(-logical.lfHeight, (std::lround(24.0 * harness.dpi / 72) + 1) / 2);
}

// Round the secret panel forward with Tab, then back with Shift+Tab, from the first in the tab
// order, which has the focus when the panel is shown; what cannot take the focus is passed over.
TEST_F(Keyboard, TabAndShiftTabFollowTheTabOrderPastWhatTakesNoFocus) {
  harness.Show(FormId::Form4);
  const auto focused = [&](const char* name) {
    return GetFocus() == harness.Child(FormId::Form4, name);
  };
  EXPECT_TRUE(focused("Text1"));
  const char* order[] = {"Text1", "Text2", "Text3", "Command1", "Command2"};
  for (std::size_t i = 1; i <= 10; ++i) {
    Press(VK_TAB, i > 5);
    EXPECT_TRUE(focused(order[i <= 5 ? i % 5 : 10 - i])) << i;
  }
  ASSERT_TRUE(FocusOn(harness.Child(FormId::Form4, "Text1")));
  harness.ControlOf(FormId::Form4, "Text2").SetEnabled(false);
  harness.ControlOf(FormId::Form4, "Text3").SetVisible(false);
  Press(VK_TAB);
  EXPECT_TRUE(focused("Command1"));
}

// Enter in a box presses the default button, on a button that button; inside a wait's own
// message pumping too. The box never sees the Enter.
TEST_F(Keyboard, EnterPressesTheDefaultButtonOrTheFocusedOne) {
  harness.Show(FormId::Form4);
  const struct {
    const char* focus;
    const char* pressed;
    bool inWait;
  } cases[] = {{"Text1", "Command1", false},
               {"Text3", "Command1", false},
               {"Command2", "Command2", false},
               {"Text2", "Command1", true}};
  for (const auto& c : cases) {
    ASSERT_TRUE(FocusOn(harness.Child(FormId::Form4, c.focus)));
    harness.TakeLog();
    Press(VK_RETURN, false, !c.inWait);
    if (c.inWait) {
      harness.program.WaitSeconds(1);
    }
    EXPECT_EQ(harness.TakeLog(), std::vector{"Form4:" + std::string(c.pressed) + "_Click"});
    EXPECT_EQ(TextOf(harness.Child(FormId::Form4, "Text1")), L"");
  }
}

// The pointer follows what is under it: a label's own, the box's I-beam, else the window's.
// Clicks go to the drawn label under the pointer, else to the window: shapes and boxes take none.
TEST_F(Mouse, PointersAndClicksGoToWhatIsUnderThem) {
  const HWND window = harness.Show(FormId::Form1);
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const POINT inShape{harness.Px(60), harness.Px(360)};
  const auto centre = [&](const char* name) { return harness.CentreOf(FormId::Form1, name); };
  const struct {
    POINT at;
    HCURSOR pointer;  // nullptr: the window's own pointer, from the program's icons
    int times;
    std::vector<std::string> raised;
  } cases[] = {
      {centre("Label6"), LoadCursorA(nullptr, IDC_UPARROW), 1, {"Form1:Label6_Click"}},
      {centre("Label7"), arrow, 1, {"Form1:Label7_Click"}},
      {centre("Label2"), nullptr, 1, {"Form1:Label2_Click"}},
      {centre("Text1"), LoadCursorA(nullptr, IDC_IBEAM), 1, {}},
      {inShape, nullptr, 1, {"Form1:Form_Click"}},
      {inShape, nullptr, 2, {"Form1:Form_Click", "Form1:Form_DblClick"}},
  };
  for (const auto& c : cases) {
    SetForegroundWindow(window);
    MoveTo(window, c.at);
    const HCURSOR cursor = GetCursor();
    EXPECT_TRUE(c.pointer ? cursor == c.pointer : cursor != arrow && cursor != nullptr)
        << c.at.x << "," << c.at.y;
    harness.TakeLog();
    Click(window, c.at, c.times);
    EXPECT_TRUE(PumpUntil([&] { return harness.log.size() >= c.raised.size(); }));
    Pump(kSettleMs);
    EXPECT_EQ(harness.TakeLog(), c.raised);
  }
}

// Enabling a running timer again, more often than its period, keeps its rhythm: a restarted
// timer would never tick. Disabled, it stops.
TEST_F(Windows, TimersStopWhenDisabledAndKeepTheirRhythmWhenEnabledAgain) {
  harness.Show(FormId::Form1);
  formkit::Control& timer = harness.ControlOf(FormId::Form1, "Timer1");
  const auto ticks = [&] {
    return std::count(harness.log.begin(), harness.log.end(), "Form1:Timer1_Timer");
  };
  timer.SetInterval(50);
  EXPECT_TRUE(PumpUntil([&] { return ticks() >= 3; }));
  timer.SetEnabled(false);
  Pump(50);
  harness.TakeLog();
  Pump(300);
  EXPECT_EQ(ticks(), 0);
  timer.SetInterval(200);
  for (int i = 0; i < 30; ++i) {
    timer.SetEnabled(true);
    Pump(40);
  }
  EXPECT_GE(ticks(), 2);
}

// Hidden and shown again, a window is the same one, to the front; made topmost, it stays above;
// the user's minimize and restore reach the model; the window has the program's icon.
TEST_F(Windows, ShowingBringsToTheFrontAndTheUsersMinimizeReachesTheModel) {
  const HWND window1 = harness.Show(FormId::Form1);
  harness.program.Hide(FormId::Form1);
  EXPECT_FALSE(IsWindowVisible(window1));
  const HWND window5 = harness.Show(FormId::Form5);
  EXPECT_EQ(GetForegroundWindow(), window5);
  EXPECT_EQ(harness.Show(FormId::Form1), window1);
  EXPECT_EQ(GetForegroundWindow(), window1);
  harness.program.Loaded(FormId::Form1)->MakeTopmost();
  EXPECT_NE(GetWindowLongW(window1, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  for (const auto& [show, state] : {std::pair{SW_MINIMIZE, formkit::WindowState::Minimized},
                                    {SW_RESTORE, formkit::WindowState::Normal}}) {
    ShowWindow(window5, show);
    Pump(kSettleMs);
    EXPECT_EQ(harness.program.Loaded(FormId::Form5)->State(), state);
  }
  EXPECT_NE(SendMessageW(harness.Show(FormId::Form2), WM_GETICON, ICON_BIG, 0), 0);
}

}  // namespace
