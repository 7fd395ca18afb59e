#include "practicehost/Controls.h"

#include <richedit.h>

#include <algorithm>
#include <string>

#include "practicehost/Protocol.h"
#include "practicehost/Text.h"
#include "winkit/Text.h"

namespace practicehost {
namespace {

constexpr char kOriginalProcProperty[] = "PracticeHost.OriginalProc";
constexpr char kStrictReadsProperty[] = "PracticeHost.StrictReads";
constexpr UINT kUtf16CodePage = 1200;
constexpr char kRichEditLibrary[] = "riched20.dll";
constexpr char kRichEditClass[] = "RichEdit20A";
constexpr char kListBoxClass[] = "ListBox";

constexpr COLORREF kIconFace = RGB(0xF6, 0xC8, 0x3C);
constexpr COLORREF kIconFacePressed = RGB(0xD8, 0xA4, 0x10);
constexpr COLORREF kIconEdge = RGB(0x8A, 0x66, 0x00);
constexpr COLORREF kIconText = RGB(0x20, 0x20, 0x40);
constexpr COLORREF kTitleText = RGB(0x10, 0x30, 0x80);
constexpr int kIconCornerDiameter = 10;
constexpr int kIconPressedShift = 1;
constexpr int kTitleIndent = 6;

// Extra bytes of the icon and static classes: their font and, for the icon, its pressed state.
constexpr int kFontSlot = 0;
constexpr int kPressedSlot = static_cast<int>(sizeof(LONG_PTR));
constexpr int kStaticExtraBytes = static_cast<int>(sizeof(LONG_PTR));
constexpr int kIconExtraBytes = 2 * static_cast<int>(sizeof(LONG_PTR));

// Rich edits otherwise stop at 32K characters; Zibbet's lines are ~21 bytes of markup a letter.
constexpr LPARAM kRichTextLimit = LPARAM{64} * 1024 * 1024;
constexpr LONG kTwipsPerPoint = 20;

// The system procedures our superclasses pass messages on to; set once at registration.
WNDPROC g_richEditProc = nullptr;
WNDPROC g_listBoxProc = nullptr;

template <typename T>
T* UserData(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

WNDPROC OriginalProc(HWND window) {
  if (HANDLE stored = GetPropA(window, kOriginalProcProperty)) {
    return reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(stored));
  }
  return g_richEditProc;  // RICHCNTL windows have HookedProc as their class procedure
}

// Whether a WM_GETTEXT of bufferSize bytes (the NUL included) takes all of the text.
bool ReadFits(HWND rich, WPARAM bufferSize) {
  return winkit::ToAnsi(GetRichText(rich, true)).size() < bufferSize;
}

LRESULT CALLBACK HookedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC original = OriginalProc(window);
  if (MessageHook* hook = UserData<MessageHook>(window); hook && *hook) {
    if (const std::optional<LRESULT> result = (*hook)(window, message, wParam, lParam)) {
      return *result;
    }
  }
  if (message == WM_GETTEXT && GetPropA(window, kStrictReadsProperty) &&
      !ReadFits(window, wParam)) {
    return 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    RemovePropA(window, kOriginalProcProperty);
    RemovePropA(window, kStrictReadsProperty);
  }
  return CallWindowProcA(original, window, message, wParam, lParam);
}

LRESULT CALLBACK ListboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(g_listBoxProc, window, message, wParam, lParam);
}

// What every container does alike; nothing if the default procedure should (also) run.
std::optional<LRESULT> ContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Container* container = UserData<Container>(window);
  if (!container) {
    return std::nullopt;
  }
  switch (message) {
    case WM_SIZE:
      if (container->layout) {
        container->layout(LOWORD(lParam), HIWORD(lParam));
      }
      return std::nullopt;  // an MDI child's default handling must see WM_SIZE too
    case WM_COMMAND:
      if (!container->command) {
        return std::nullopt;
      }
      container->command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_PAINT: {
      if (!container->paint) {
        return std::nullopt;
      }
      winkit::PaintDc dc(window);
      RECT client;
      GetClientRect(window, &client);
      container->paint(dc.Get(), client);
      return 0;
    }
    case WM_DESTROY:
      if (container->destroyed) {
        container->destroyed();
      }
      return std::nullopt;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void FocusTarget(HWND window) {
  if (Container* container = UserData<Container>(window); container && container->focus) {
    if (HWND target = container->focus()) {
      SetFocus(target);
    }
  }
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    FocusTarget(window);
    return 0;
  }
  if (const std::optional<LRESULT> result = ContainerMessage(window, message, wParam, lParam)) {
    return *result;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    const LRESULT result = DefMDIChildProcA(window, message, wParam, lParam);
    FocusTarget(window);
    return result;
  }
  if (const std::optional<LRESULT> result = ContainerMessage(window, message, wParam, lParam)) {
    return *result;
  }
  return DefMDIChildProcA(window, message, wParam, lParam);
}

HFONT StoredFont(HWND window) {
  return reinterpret_cast<HFONT>(GetWindowLongPtrA(window, kFontSlot));
}

// WM_SETFONT, WM_GETFONT and WM_SETTEXT for our own text-showing classes.
std::optional<LRESULT> TextMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFONT:
      SetWindowLongPtrA(window, kFontSlot, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) {
        InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(StoredFont(window));
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    default:
      return std::nullopt;
  }
}

bool IsPressed(HWND window) { return GetWindowLongPtrA(window, kPressedSlot) != 0; }

void SetPressed(HWND window, bool pressed) {
  if (IsPressed(window) == pressed) {
    return;
  }
  SetWindowLongPtrA(window, kPressedSlot, pressed ? 1 : 0);
  InvalidateRect(window, nullptr, TRUE);
}

bool CursorInside(HWND window, LPARAM lParam) {
  RECT client;
  GetClientRect(window, &client);
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  return PtInRect(&client, point) != FALSE;
}

void ClickIcon(HWND window) {
  SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

void PaintIcon(HWND window) {
  winkit::PaintDc paint(window);
  const HDC dc = paint.Get();
  RECT client;
  GetClientRect(window, &client);
  const bool pressed = IsPressed(window);
  winkit::UniqueBrush face(CreateSolidBrush(pressed ? kIconFacePressed : kIconFace));
  winkit::UniquePen edge(CreatePen(PS_SOLID, 1, kIconEdge));
  {
    winkit::ScopedSelect brush(dc, face.Get());
    winkit::ScopedSelect pen(dc, edge.Get());
    RoundRect(dc, client.left, client.top, client.right, client.bottom, kIconCornerDiameter,
              kIconCornerDiameter);
  }
  if (pressed) {
    OffsetRect(&client, kIconPressedShift, kIconPressedShift);
  }
  const HFONT font = StoredFont(window);
  winkit::ScopedSelect selectFont(
      dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kIconText);
  const std::string label = GetText(window);
  DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// A button-like picture: clicked when the mouse is pressed and released over it (or BM_CLICK).
LRESULT CALLBACK IconProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> result = TextMessage(window, message, wParam, lParam)) {
    return *result;
  }
  switch (message) {
    case WM_PAINT:
      PaintIcon(window);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      SetPressed(window, true);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == window) {
        SetPressed(window, CursorInside(window, lParam));
      }
      return 0;
    case WM_LBUTTONUP: {
      const bool click = IsPressed(window) && CursorInside(window, lParam);
      if (GetCapture() == window) {
        ReleaseCapture();
      }
      SetPressed(window, false);
      if (click) {
        ClickIcon(window);
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      SetPressed(window, false);
      return 0;
    case BM_CLICK:
      ClickIcon(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// The room's title: its name in the title font.
LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> result = TextMessage(window, message, wParam, lParam)) {
    return *result;
  }
  if (message != WM_PAINT) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  winkit::PaintDc paint(window);
  const HDC dc = paint.Get();
  RECT client;
  GetClientRect(window, &client);
  client.left += kTitleIndent;
  const HFONT font = StoredFont(window);
  winkit::ScopedSelect selectFont(
      dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTitleText);
  const std::string title = GetText(window);
  DrawTextA(dc, title.c_str(), static_cast<int>(title.size()), &client,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  return 0;
}

HBRUSH SystemBrush(int color) {
  // The documented way to name a system colour as a class background.
  return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(color + 1));
}

WNDCLASSEXA PlainClass(const char* name, WNDPROC proc, HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = SystemBrush(COLOR_BTNFACE);
  wc.lpszClassName = name;
  return wc;
}

}  // namespace

void InstallHook(HWND control, MessageHook* hook) {
  if (GetWindowLongPtrA(control, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&HookedProc)) {
    const LONG_PTR original = GetWindowLongPtrA(control, GWLP_WNDPROC);
    SetPropA(control, kOriginalProcProperty, reinterpret_cast<HANDLE>(original));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedProc));
  }
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook));
}

LRESULT CallOriginal(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(OriginalProc(control), control, message, wParam, lParam);
}

void AttachContainer(HWND window, Container* container) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(container));
  RECT client;
  GetClientRect(window, &client);
  if (container->layout) {
    container->layout(client.right, client.bottom);
  }
}

void SetFont(HWND window, HFONT font) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

bool WindowClasses::Add(const WNDCLASSEXA& windowClass, std::string& error) {
  if (!RegisterClassExA(&windowClass)) {
    error = std::string("cannot register window class ") + windowClass.lpszClassName;
    return false;
  }
  auto& [name, registration] = classes_.emplace_back();
  name = winkit::WideFromAnsi(windowClass.lpszClassName);
  registration.emplace(name.c_str(), windowClass.hInstance);
  return true;
}

// name: the base class's behaviour under our name, proc seeing its messages first.
bool WindowClasses::AddSuperclass(HINSTANCE source, const char* base, const char* name,
                                  WNDPROC proc, WNDPROC& baseProc, HINSTANCE instance,
                                  std::string& error) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExA(source, base, &windowClass)) {
    error = std::string("the system's ") + base + " class is not available";
    return false;
  }
  baseProc = windowClass.lpfnWndProc;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = name;
  windowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  return Add(windowClass, error);
}

bool WindowClasses::Register(HINSTANCE instance, std::string& error) {
  // The transcript and input box are rich edits under the chat client's class name.
  richEdit_.Reset(LoadLibraryA(kRichEditLibrary));
  if (!AddSuperclass(richEdit_.Get(), kRichEditClass, kRichClass, HookedProc, g_richEditProc,
                     instance, error) ||
      !AddSuperclass(nullptr, kListBoxClass, kListboxClass, ListboxProc, g_listBoxProc, instance,
                     error)) {
    return false;
  }
  WNDCLASSEXA icon = PlainClass(kIconClass, IconProc, instance);
  icon.cbWndExtra = kIconExtraBytes;
  icon.hCursor = LoadCursor(nullptr, IDC_HAND);
  WNDCLASSEXA title = PlainClass(kStaticClass, StaticProc, instance);
  title.cbWndExtra = kStaticExtraBytes;
  WNDCLASSEXA child = PlainClass(kChildClass, ChildProc, instance);
  child.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  for (const WNDCLASSEXA& windowClass :
       {icon, title, child, PlainClass(kToolbarStripClass, ContainerProc, instance),
        PlainClass(kToolbarClass, ContainerProc, instance),
        PlainClass(kComboboxClass, ContainerProc, instance),
        PlainClass(kPanelClass, ContainerProc, instance)}) {
    if (!Add(windowClass, error)) return false;
  }
  return true;
}

HWND CreateChild(const char* className, const char* text, DWORD style, HWND parent, int id,
                 DWORD exStyle) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                         nullptr);
}

HWND CreateRichText(HWND parent, int id, DWORD style) {
  const HWND rich = CreateChild(kRichClass, "", style, parent, id, WS_EX_CLIENTEDGE);
  if (!rich) {
    return nullptr;
  }
  SendMessageA(rich, EM_EXLIMITTEXT, 0, kRichTextLimit);
  SendMessageA(rich, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(RGB(0xFF, 0xFF, 0xFF)));
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD;
  format.yHeight = kRichTextPoints * kTwipsPerPoint;
  format.crTextColor = RGB(0, 0, 0);  // explicit black, not the automatic colour
  lstrcpynA(format.szFaceName, kRichTextFace, LF_FACESIZE);
  SendMessageA(rich, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(rich, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  return rich;
}

std::string GetText(HWND window) {
  const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const auto copied = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::wstring GetRichText(HWND rich, bool crlf) {
  GETTEXTLENGTHEX length{static_cast<DWORD>(crlf ? GTL_USECRLF : GTL_DEFAULT), kUtf16CodePage};
  const auto count = SendMessageA(rich, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (count <= 0) return {};
  std::wstring text(static_cast<size_t>(count) + 1, L'\0');
  GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                static_cast<DWORD>(crlf ? GT_USECRLF : GT_DEFAULT), kUtf16CodePage, nullptr,
                nullptr};
  const auto copied = SendMessageA(rich, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
  return text;
}

void MakeReadsStrict(HWND rich) { SetPropA(rich, kStrictReadsProperty, rich); }

void StackInOrder(const std::vector<HWND>& windows) {
  HWND after = HWND_TOP;
  for (const HWND window : windows) {
    if (!window) continue;
    SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = window;
  }
}

HWND CreateDocumentWindow(HWND mdiClient, const std::string& title, const RECT& bounds) {
  MDICREATESTRUCTA create{};
  create.szClass = kChildClass;
  create.szTitle = title.c_str();
  create.hOwner = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mdiClient, GWLP_HINSTANCE));
  create.x = bounds.left;
  create.y = bounds.top;
  create.cx = bounds.right - bounds.left;
  create.cy = bounds.bottom - bounds.top;
  create.style = WS_CLIPCHILDREN;
  return reinterpret_cast<HWND>(
      SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

}  // namespace practicehost
