#include "practicehost/SayPanel.h"

#include <algorithm>

#include "practicehost/Host.h"
#include "practicehost/Protocol.h"
#include "practicehost/Text.h"

namespace practicehost {
namespace {

constexpr char kDefaultSender[] = "Marsh Wren";
constexpr int kControlHeight = 24;
constexpr int kGap = 8;
constexpr int kLabelWidth = 46;
constexpr int kSenderWidth = 130;
constexpr int kInLabelWidth = 18;
constexpr int kRoomChoiceWidth = 120;
constexpr int kRoomChoiceDropHeight = 120;
constexpr int kButtonWidth = 60;
constexpr int kMinTextWidth = 80;
enum ChildId { kLabelId = 301, kSenderId, kInLabelId, kRoomId, kTextId, kButtonId };

}  // namespace

SayPanel::SayPanel(Host& host) : host_(host) {
  container_.layout = [this](int width, int height) { Layout(width, height); };
  container_.command = [this](int id, int code) {
    if (id == kButtonId && code == BN_CLICKED) Say();
  };
  textHook_ = [this](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_CHAR || wParam != '\r') return std::nullopt;
    Say();
    return 0;
  };
}

void SayPanel::Create(HWND frame, int id, int rooms) {
  panel_ = CreateChild(kPanelClass, "", WS_CLIPCHILDREN, frame, id);
  label_ = CreateChild("Static", "Say as", SS_CENTERIMAGE, panel_, kLabelId);
  sender_ = CreateChild("Edit", kDefaultSender, ES_AUTOHSCROLL | WS_TABSTOP, panel_, kSenderId,
                        WS_EX_CLIENTEDGE);
  inLabel_ = CreateChild("Static", "in", SS_CENTERIMAGE, panel_, kInLabelId);
  room_ = CreateChild("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, panel_, kRoomId);
  text_ = CreateChild("Edit", "", ES_AUTOHSCROLL | WS_TABSTOP, panel_, kTextId, WS_EX_CLIENTEDGE);
  button_ = CreateChild("Button", "Say", BS_PUSHBUTTON | WS_TABSTOP, panel_, kButtonId);
  for (const HWND control : {label_, sender_, inLabel_, room_, text_, button_}) {
    SetFont(control, host_.UiFont());
  }
  for (int room = 1; room <= rooms; ++room) {
    SendMessageA(room_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RoomName(room)));
  }
  SendMessageA(room_, CB_SETCURSEL, 0, 0);
  InstallHook(text_, &textHook_);
  AttachContainer(panel_, &container_);
}

void SayPanel::Layout(int width, int height) {
  const int top = (height - kControlHeight) / 2;
  int left = kGap;
  auto place = [&](HWND control, int controlWidth, int controlHeight, int gapAfter) {
    MoveWindow(control, left, top, controlWidth, controlHeight, TRUE);
    left += controlWidth + gapAfter;
  };
  place(label_, kLabelWidth, kControlHeight, 0);
  place(sender_, kSenderWidth, kControlHeight, kGap / 2);
  place(inLabel_, kInLabelWidth, kControlHeight, 0);
  place(room_, kRoomChoiceWidth, kRoomChoiceDropHeight, kGap);
  const int textWidth = std::max(kMinTextWidth, width - left - kButtonWidth - 2 * kGap);
  place(text_, textWidth, kControlHeight, kGap);
  place(button_, kButtonWidth, kControlHeight, 0);
}

void SayPanel::Say() {
  const std::string senderText = GetText(sender_);
  const std::string sender(TrimBlanks(senderText));
  if (sender.empty()) {
    host_.SetStatus("Type a name after \"Say as\" first.");
    return;
  }
  const LRESULT choice = SendMessageA(room_, CB_GETCURSEL, 0, 0);
  Room* room = host_.RoomAt(choice >= 0 ? static_cast<size_t>(choice) : 0);
  if (room && room->Say(sender, GetText(text_))) {
    SetWindowTextA(text_, "");
    host_.SetStatus("Said as " + sender + " in " + room->Name() + ".");
  }
}

}  // namespace practicehost
