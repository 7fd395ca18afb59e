#include "practicehost/SayPanel.h"

#include <algorithm>
#include <optional>

#include "practicehost/Children.h"
#include "practicehost/Drawing.h"
#include "practicehost/Host.h"
#include "practicehost/Protocol.h"
#include "practicehost/Scale.h"
#include "practicehost/Text.h"

namespace practicehost {
namespace {

constexpr char kDefaultSender[] = "Marsh Wren";
// In 96-dpi pixels.
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
  panel_.layout = [this](int width, int height) { Layout(width, height); };
  panel_.command = [this](int id, int code) {
    if (id == kButtonId && code == BN_CLICKED) {
      Say();
    }
  };
}

void SayPanel::Create(HWND frame, int id, int rooms) {
  const HFONT font = host_.UiFont();
  if (!panel_.Create(kPanelClass, frame, id) ||
      !CreateChildren(
          panel_.Handle(),
          {{kLabelId, "Static", "Say as", SS_CENTERIMAGE, 0, font},
           {kSenderId, "Edit", kDefaultSender, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, font},
           {kInLabelId, "Static", "in", SS_CENTERIMAGE, 0, font},
           {kRoomId, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, font},
           {kTextId, "Edit", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, font},
           {kButtonId, "Button", "Say", BS_PUSHBUTTON | WS_TABSTOP, 0, font}})) {
    return;
  }
  const HWND roomChoice = panel_.Item(kRoomId);
  for (int room = 1; room <= rooms; ++room) {
    SendMessageA(roomChoice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RoomName(room)));
  }
  SendMessageA(roomChoice, CB_SETCURSEL, 0, 0);
  textHook_.Install(panel_.Item(kTextId),
                    [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
                      if (message != WM_CHAR || wParam != '\r') {
                        return std::nullopt;
                      }
                      Say();
                      return 0;
                    });
  panel_.Relayout();
}

void SayPanel::Layout(int width, int height) {
  const int spacing = Px(kSpacing);
  const int controlHeight = Px(kControlHeight);
  const int top = (height - controlHeight) / 2;
  int left = spacing;
  auto place = [&](int id, int controlWidth, int placeHeight, int gapAfter) {
    MoveWindow(panel_.Item(id), left, top, controlWidth, placeHeight, TRUE);
    left += controlWidth + gapAfter;
  };
  place(kLabelId, Px(kLabelWidth), controlHeight, 0);
  place(kSenderId, Px(kSenderWidth), controlHeight, Px(kSpacing / 2));
  place(kInLabelId, Px(kInLabelWidth), controlHeight, 0);
  place(kRoomId, Px(kRoomChoiceWidth), Px(kRoomChoiceDropHeight), spacing);
  const int textWidth = std::max(Px(kMinTextWidth), width - left - Px(kButtonWidth) - 2 * spacing);
  place(kTextId, textWidth, controlHeight, spacing);
  place(kButtonId, Px(kButtonWidth), controlHeight, 0);
}

void SayPanel::Say() {
  const std::string senderText = GetText(panel_.Item(kSenderId));
  const std::string sender(TrimBlanks(senderText));
  if (sender.empty()) {
    host_.SetStatus("Type a name after \"Say as\" first.");
    return;
  }
  const LRESULT choice = SendMessageA(panel_.Item(kRoomId), CB_GETCURSEL, 0, 0);
  Room* room = host_.RoomAt(choice >= 0 ? static_cast<size_t>(choice) : 0);
  const HWND text = panel_.Item(kTextId);
  if (room && room->Say(sender, GetText(text))) {
    SetWindowTextA(text, "");
    host_.SetStatus("Said as " + sender + " in " + room->Name() + ".");
  }
}

}  // namespace practicehost
