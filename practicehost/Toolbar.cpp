#include "practicehost/Toolbar.h"

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
constexpr int kGap = 8;
constexpr int kKeywordLabelWidth = 64;
constexpr int kKeywordWidth = 420;
constexpr int kGoWidth = 44;
enum ChildId { kToolbarId = 201, kComboboxId, kKeywordId, kGoId };

}  // namespace

Toolbar::Toolbar(Host& host) : host_(host) {
  strip_.layout = [this](int width, int height) {
    MoveWindow(toolbarWindow_, 0, 0, width, height - 1, TRUE);
  };
  strip_.paint = [](HDC dc, const RECT& client) {
    FillSolid(dc, client, kToolbarColor);
    FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, kToolbarEdge);
  };
  toolbar_.layout = [this](int, int height) {
    const int top = (height - kComboboxHeight) / 2;
    const int comboboxLeft = kGap + kKeywordLabelWidth;
    MoveWindow(comboboxWindow_, comboboxLeft, top, kKeywordWidth, kComboboxHeight, TRUE);
    MoveWindow(goButton_, comboboxLeft + kKeywordWidth + kGap, top, kGoWidth, kComboboxHeight,
               TRUE);
  };
  toolbar_.paint = [this](HDC dc, const RECT& client) {
    FillSolid(dc, client, kToolbarColor);
    const RECT label{kGap, client.top, kGap + kKeywordLabelWidth, client.bottom};
    DrawTextIn(dc, host_.UiFont(), kToolbarText, "Keyword", label,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  };
  toolbar_.command = [this](int id, int code) {
    if (id == kGoId && code == BN_CLICKED) OpenKeyword();
  };
  combobox_.layout = [this](int width, int height) {
    MoveWindow(keywordBox_, kComboboxInset, kComboboxInset, width - 2 * kComboboxInset,
               height - 2 * kComboboxInset, TRUE);
  };
  combobox_.paint = [](HDC dc, const RECT& client) {
    FillSolid(dc, client, kBoxColor);
    const winkit::UniqueBrush edge(CreateSolidBrush(kToolbarEdge));
    FrameRect(dc, &client, edge.Get());
  };
  combobox_.focus = [this] { return keywordBox_; };
  keywordHook_ = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    return OnKeywordMessage(message, wParam, lParam);
  };
}

void Toolbar::Create(HWND frame, int id) {
  stripWindow_ = CreateChild(kToolbarStripClass, "", WS_CLIPCHILDREN, frame, id);
  toolbarWindow_ = CreateChild(kToolbarClass, "", WS_CLIPCHILDREN, stripWindow_, kToolbarId);
  comboboxWindow_ = CreateChild(kComboboxClass, "", WS_CLIPCHILDREN, toolbarWindow_, kComboboxId);
  keywordBox_ =
      CreateChild(kEditClass, "", ES_AUTOHSCROLL | WS_TABSTOP, comboboxWindow_, kKeywordId);
  goButton_ = CreateChild("Button", "Go", BS_PUSHBUTTON, toolbarWindow_, kGoId);
  SendMessageA(keywordBox_, EM_SETLIMITTEXT, kNoEditLimit, 0);
  SetFont(keywordBox_, host_.UiFont());
  SetFont(goButton_, host_.UiFont());
  InstallHook(keywordBox_, &keywordHook_);
  AttachContainer(comboboxWindow_, &combobox_);
  AttachContainer(toolbarWindow_, &toolbar_);
  AttachContainer(stripWindow_, &strip_);
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
  const std::string text = GetText(keywordBox_);
  const std::string address(TrimBlanks(text));
  if (address.empty()) {
    return;
  }
  host_.SetStatus("Opened: " + address);
  host_.Log().Opened(address);
  CallOriginal(keywordBox_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

}  // namespace practicehost
