#include "practicehost/Toolbar.h"

#include "practicehost/Children.h"
#include "practicehost/Drawing.h"
#include "practicehost/Host.h"
#include "practicehost/Protocol.h"
#include "practicehost/Scale.h"
#include "practicehost/Text.h"

namespace practicehost {
namespace {

constexpr char kKeywordTarget[] = "keyword";
constexpr WPARAM kNoEditLimit = 0;  // EM_SETLIMITTEXT: as much as an edit control takes
constexpr COLORREF kToolbarText = RGB(0x20, 0x30, 0x50);
// In 96-dpi pixels.
constexpr int kComboboxHeight = 26;
constexpr int kComboboxInset = 4;
constexpr int kKeywordLabelWidth = 64;
constexpr int kKeywordWidth = 420;
constexpr int kGoWidth = 44;
enum ChildId { kToolbarId = 201, kComboboxId, kKeywordId, kGoId };

}  // namespace

Toolbar::Toolbar(Host& host) : host_(host) {
  strip_.layout = [this](int width, int height) {
    MoveWindow(toolbar_.Handle(), 0, 0, width, height - 1, TRUE);
  };
  strip_.paint = [](HDC dc, const RECT& client) {
    FillSolid(dc, client, kToolbarColor);
    // A hairline at any scale, as the system's own borders are.
    FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, kToolbarEdge);
  };
  toolbar_.layout = [this](int, int height) {
    const int spacing = Px(kSpacing);
    const int boxHeight = Px(kComboboxHeight);
    const int keywordWidth = Px(kKeywordWidth);
    const int top = (height - boxHeight) / 2;
    const int comboboxLeft = spacing + Px(kKeywordLabelWidth);
    MoveWindow(combobox_.Handle(), comboboxLeft, top, keywordWidth, boxHeight, TRUE);
    MoveWindow(toolbar_.Item(kGoId), comboboxLeft + keywordWidth + spacing, top, Px(kGoWidth),
               boxHeight, TRUE);
  };
  toolbar_.paint = [this](HDC dc, const RECT& client) {
    FillSolid(dc, client, kToolbarColor);
    const int spacing = Px(kSpacing);
    const RECT label{spacing, client.top, spacing + Px(kKeywordLabelWidth), client.bottom};
    DrawTextIn(dc, host_.UiFont(), kToolbarText, "Keyword", label,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  };
  toolbar_.command = [this](int id, int code) {
    if (id == kGoId && code == BN_CLICKED) {
      OpenKeyword();
    }
  };
  combobox_.layout = [this](int width, int height) {
    const int inset = Px(kComboboxInset);
    MoveWindow(combobox_.Item(kKeywordId), inset, inset, width - 2 * inset, height - 2 * inset,
               TRUE);
  };
  combobox_.paint = [](HDC dc, const RECT& client) {
    FillSolid(dc, client, kBoxColor);
    const winkit::UniqueBrush edge(CreateSolidBrush(kToolbarEdge));
    FrameRect(dc, &client, edge.Get());
  };
  combobox_.focus = [this] { return combobox_.Item(kKeywordId); };
}

void Toolbar::Create(HWND frame, int id) {
  const HFONT font = host_.UiFont();
  if (!strip_.Create(kToolbarStripClass, frame, id) ||
      !toolbar_.Create(kToolbarClass, strip_.Handle(), kToolbarId) ||
      !combobox_.Create(kComboboxClass, toolbar_.Handle(), kComboboxId) ||
      !CreateChildren(combobox_.Handle(),
                      {{kKeywordId, kEditClass, "", ES_AUTOHSCROLL | WS_TABSTOP, 0, font}}) ||
      !CreateChildren(toolbar_.Handle(), {{kGoId, "Button", "Go", BS_PUSHBUTTON, 0, font}})) {
    return;
  }
  const HWND keywordBox = combobox_.Item(kKeywordId);
  SendMessageA(keywordBox, EM_SETLIMITTEXT, kNoEditLimit, 0);
  keywordHook_.Install(keywordBox, [this](UINT message, WPARAM wParam, LPARAM lParam) {
    return OnKeywordMessage(message, wParam, lParam);
  });
  for (Container* container : {&combobox_, &toolbar_, &strip_}) {
    container->Relayout();
  }
}

std::optional<LRESULT> Toolbar::OnKeywordMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      host_.Log().SetText(kKeywordTarget, "", lParam ? reinterpret_cast<const char*>(lParam) : "");
      return std::nullopt;
    case WM_CHAR:
      host_.Log().Char(kKeywordTarget, "", static_cast<unsigned>(wParam));
      if (wParam != '\r') {
        return std::nullopt;
      }
      OpenKeyword();
      return 0;
    default:
      return std::nullopt;
  }
}

// Opening only shows and logs the address: the practice host never goes to the network.
// The box is emptied afterwards, ready for the next address.
void Toolbar::OpenKeyword() {
  const HWND keywordBox = combobox_.Item(kKeywordId);
  const std::string text = GetText(keywordBox);
  const std::string address(TrimBlanks(text));
  if (address.empty()) {
    return;
  }
  host_.SetStatus("Opened: " + address);
  host_.Log().Opened(address);
  keywordHook_.CallOriginal(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

}  // namespace practicehost
