#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/Form.h"
#include "forms/Program.h"
#include "winkit/Handles.h"

namespace forms_win32 {

// Child windows carry their control's index as their id, offset so that no id is 0.
inline constexpr int kFirstControlId = 1000;
constexpr int ControlId(std::size_t index) { return kFirstControlId + static_cast<int>(index); }

// Registers a window class of the module (double-clicks reported) unless it exists already.
void RegisterClassOnce(HINSTANCE module, const wchar_t* name, WNDPROC proc, HCURSOR cursor);

// Keyboard handling the form windows need before a message is translated: Tab and Shift+Tab
// through the tab order, Enter pressing the default button, Ctrl+A selecting a box's text. For
// the main loop and every nested pump alike; true when the message was handled and must not be
// dispatched.
bool PreTranslateFormMessage(MSG& message);

// The window of one loaded form: built hidden from its description, then kept in step with the
// form's model, and turning what the user does into the program's events.
//
// Any call into the program may unload this very form, destroying this object (and its window)
// while its window procedure is still on the stack; or end the process. So every such call is
// the last thing a handler here does: nothing of this object is touched after it.
class FormWindow final : public forms::FormView {
 public:
  // `module` holds the pictures and icons and owns the window classes; `dpi` is the display's
  // pixels per inch, from which every size in pixels follows.
  FormWindow(forms::Program& program, forms::FormId id, forms::Form& form, HINSTANCE module,
             int dpi);
  ~FormWindow() override;

  HWND Handle() const { return window_.Get(); }

  void ControlChanged(std::size_t index) override;
  void FormChanged() override;
  void MakeTopmost() override;
  void DragWindow() override;

  // The form window behind a top-level window of this thread, or nullptr.
  static FormWindow* FromHandle(HWND window);
  bool PreTranslate(const MSG& message);

 private:
  struct FontKey {
    std::string face;
    double points;
    int weight;
    bool operator==(const FontKey&) const = default;
  };

  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Building.
  void CreateFormWindow();
  void CreateChild(std::size_t index);
  void LoadResources();

  // Geometry: every pixel comes from twips here.
  int Px(int twips) const { return forms::TwipsToPixels(twips, dpi_); }
  RECT Box(const forms::ControlDesc& desc) const;
  RECT DirtyArea(const forms::ControlDesc& desc) const;

  // Painting.
  void PaintSurface(HWND window, HDC target);
  void PaintControl(HDC dc, std::size_t index);
  void PaintPictureBox(HWND box, HDC target);
  void DrawButton(const DRAWITEMSTRUCT& item);
  HFONT FontFor(const std::optional<forms::Font>& font);

  // Input.
  std::optional<std::size_t> DrawnControlAt(POINT client);
  std::optional<std::size_t> IndexOf(HWND child) const;
  void OnSurfacePress(POINT client, bool twice);
  void OnChildPress(std::size_t index, bool twice);
  bool SetPointer(HWND window, HWND under);
  HCURSOR PointerCursor(int pointer, int icon);
  HCURSOR CustomCursor(int icon);

  // Focus.
  bool TakesFocus(std::size_t index);
  std::vector<std::size_t> TabOrder();
  // To the next (or previous) control in the tab order after `from`.
  void MoveFocus(std::optional<std::size_t> from, bool backwards);
  void RestoreFocus(HWND window);

  void UpdateTimer(std::size_t index);
  void FollowUserState(WPARAM sizeKind);

  forms::Program& program_;
  forms::FormId id_;
  forms::Form& form_;
  HINSTANCE module_;
  int dpi_;

  // The GDI objects outlive the windows that use them (see the destructor).
  std::vector<std::pair<FontKey, winkit::UniqueFont>> fonts_;
  winkit::UniqueBitmap formPicture_;
  std::vector<winkit::UniqueBitmap> pictures_;  // by control index
  winkit::UniqueIcon bigIcon_;
  winkit::UniqueIcon smallIcon_;
  std::vector<std::pair<int, winkit::UniqueCursor>> cursors_;  // by icon resource

  winkit::UniqueWindow window_;
  std::vector<HWND> children_;  // by control index; owned by window_
  std::vector<winkit::WindowTimer> timers_;
  std::vector<int> timerPeriods_;
  std::optional<std::size_t> lastFocus_;
  bool applyingText_ = false;
  bool followingUser_ = false;
};

}  // namespace forms_win32
