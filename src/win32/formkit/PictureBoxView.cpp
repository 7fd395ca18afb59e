#include "win32/formkit/PictureBoxView.h"

#include "win32/formkit/FormPainting.h"
#include "winkit/Window.h"

namespace formkit_win32 {
namespace {

constexpr winkit::WindowClass kPictureBoxClass{.name = L"Zibbet.PictureBox"};
constexpr formkit::Colour kPictureBoxBack = formkit::kButtonFace;

}  // namespace

void PictureBoxView::Create() {
  winkit::RegisterClassOnce(
      context_.module, {.name = kPictureBoxClass.name, .cursor = LoadCursorA(nullptr, IDC_ARROW)},
      &winkit::Guarded<&Proc>);
  HWND made = Make(kPictureBoxClass.name, 0, WS_EX_CLIENTEDGE);
  if (made != nullptr) {
    SetWindowLongPtrW(made, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  window_ = made;
}

void PictureBoxView::Paint(HDC target) const {
  RECT client{};
  GetClientRect(window_, &client);
  const BackBuffer buffer(target, client);
  HDC dc = buffer.Get();
  FillRect(dc, &client, DcBrush(dc, Resolve(kPictureBoxBack)));
  DrawPicture(dc, Resources().Picture(index_), client);
  buffer.Present();
}

LRESULT CALLBACK PictureBoxView::Proc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PictureBoxView*>(GetWindowLongPtrW(box, GWLP_USERDATA));
  // A form destroying its window has let go of it first: the box is on its own then.
  if (self != nullptr && winkit::Window::FromHandle(GetParent(box)) != nullptr) {
    switch (message) {
      case WM_ERASEBKGND:
        return TRUE;
      case WM_PAINT: {
        const winkit::PaintDc paint(box);
        self->Paint(paint.Get());
        return 0;
      }
      case WM_PRINTCLIENT:
        self->Paint(reinterpret_cast<HDC>(wParam));
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        self->context_.presses.Press(self->index_, message == WM_LBUTTONDBLCLK, box);
        return 0;
      case WM_LBUTTONUP: {
        RECT client{};
        GetClientRect(box, &client);
        const bool over = PtInRect(&client, winkit::PointOf(lParam)) != FALSE;
        self->context_.presses.Release(over ? std::optional(self->index_) : std::nullopt);
        return 0;
      }
      case WM_CAPTURECHANGED:
        self->context_.presses.CancelPress();
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(box, message, wParam, lParam);
}

}  // namespace formkit_win32
