#include "practicehost/Toolbar.h"

#include "practicehost/Children.h"
#include "practicehost/Drawing.h"
#include "practicehost/Host.h"
#include "practicehost/Protocol.h"
#include "practicehost/Text.h"

namespace practicehost {
namespace {

constexpr char kKeywordTarget[] = "keyword";
constexpr WPARAM kNoEditLimit = 0;  // EM_SETLIMITTEXT: as much as an edit control takes
constexpr COLORREF kToolbarText = RGB(0x20, 0x30, 0x50);
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
    FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, kToolbarEdge);
  };
  toolbar_.layout = [this](int, int height) {
    const int top = (height - kComboboxHeight) / 2;
    const int comboboxLeft = kSpacing + kKeywordLabelWidth;
    MoveWindow(combobox_.Handle(), comboboxLeft, top, kKeywordWidth, kComboboxHeight, TRUE);
    MoveWindow(toolbar_.Item(kGoId), comboboxLeft + kKeywordWidth + kSpacing, top, kGoWidth,
               kComboboxHeight, TRUE);
  };
  toolbar_.paint = [this](HDC dc, const RECT& client) {
    FillSolid(dc, client, kToolbarColor);
    const RECT label{kSpacing, client.top, kSpacing + kKeywordLabelWidth, client.bottom};
    DrawTextIn(dc, host_.UiFont(), kToolbarText, "Keyword", label,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  };
  toolbar_.command = [this](int id, int code) {
    if (id == kGoId && code == BN_CLICKED) {
      OpenKeyword();
    }
  };
  combobox_.layout = [this](int width, int height) {
    MoveWindow(combobox_.Item(kKeywordId), kComboboxInset, kComboboxInset,
               width - 2 * kComboboxInset, height - 2 * kComboboxInset, TRUE);
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
