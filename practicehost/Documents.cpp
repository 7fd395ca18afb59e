#include "practicehost/Documents.h"

#include <array>

#include "practicehost/Children.h"
#include "practicehost/Drawing.h"
#include "practicehost/Host.h"
#include "practicehost/Protocol.h"
#include "practicehost/Scale.h"

namespace practicehost {
namespace {

constexpr char kDecoyTitle[] = "Member Directory";
constexpr char kDecoyText[] =
    "Find a member by screen name, then click Find.\r\n(This window only looks like a room.)";
constexpr char kWelcomeBody[] =
    "You are signed on to the practice host.\r\n\r\n"
    "Say a line in the room, open an address from the Keyword box, or use \"Say as\" below the "
    "rooms to speak for another member. Nothing here reaches the network.";
constexpr std::array<const char*, 3> kDirectoryNames = {"Ada Finch", "Corin Vale", "Juno Reed"};
constexpr COLORREF kWelcomeText = RGB(0x30, 0x30, 0x30);
// In 96-dpi pixels, as every length here.
constexpr int kWelcomeMargin = 14;
constexpr int kWelcomeHeadingHeight = 34;
constexpr int kDecoyIconWidth = 64;
enum DecoyChildId { kDecoyTextId = 401, kDecoyListId, kDecoyIconId };

// Places in the MDI client (left, top, right, bottom). A second room peeks out from behind room 1,
// its caption showing; the welcome window and the decoy sit beside the rooms.
constexpr RECT kSingleRoomBounds = {8, 8, 618, 458};
constexpr std::array<RECT, kMaxRooms> kCascadedRoomBounds = {RECT{30, 32, 620, 466},
                                                             RECT{8, 8, 598, 442}};
constexpr RECT kWelcomeBounds = {628, 8, 928, 228};
constexpr RECT kDecoyBounds = {628, 236, 928, 500};

std::string WelcomeTitle(const Options& options) {
  return options.welcomeTitle.value_or("Welcome, " + options.screenName + "!");
}

}  // namespace

Documents::Documents(Host& host) : host_(host) {
  welcome_.paint = [this](HDC dc, const RECT& client) { PaintWelcome(dc, client); };
  decoy_.layout = [this](int width, int height) {
    const int spacing = Px(kSpacing);
    const int iconWidth = Px(kDecoyIconWidth);
    const int iconHeight = Px(kControlHeight);
    const int half = height / 2;
    MoveWindow(decoy_.Item(kDecoyTextId), spacing, spacing, width - 2 * spacing, half - spacing,
               TRUE);
    MoveWindow(decoy_.Item(kDecoyListId), spacing, half + spacing, width - iconWidth - 3 * spacing,
               height - half - 2 * spacing, TRUE);
    MoveWindow(decoy_.Item(kDecoyIconId), width - iconWidth - spacing,
               height - iconHeight - spacing, iconWidth, iconHeight, TRUE);
  };
  decoy_.command = [this](int id, int code) {
    if (id == kDecoyIconId && code == BN_CLICKED) {
      host_.SetStatus("The member directory is only a decoy.");
    }
  };
}

bool Documents::Create(HWND mdiClient, std::string& error) {
  const Options& options = host_.Settings();
  // Each new MDI child goes on top of the others, so they are made back to front.
  if (options.welcome &&
      !welcome_.CreateDocument(mdiClient, WelcomeTitle(options), Px(kWelcomeBounds))) {
    error = "cannot create the welcome window";
    return false;
  }
  for (int number = 1; number <= options.rooms; ++number) {
    rooms_.push_back(std::make_unique<Room>(host_, number));
  }
  for (int number = options.rooms; number >= 1; --number) {
    const auto index = static_cast<size_t>(number - 1);
    const RECT& bounds = options.rooms == 1 ? kSingleRoomBounds : kCascadedRoomBounds[index];
    if (!rooms_[index]->Create(mdiClient, Px(bounds))) {
      error = "cannot create the room " + rooms_[index]->Name();
      return false;
    }
  }
  if (options.decoy && !CreateDecoy(mdiClient)) {
    error = "cannot create the decoy window";
    return false;
  }
  return true;
}

void Documents::Arrange(HWND mdiClient) {
  // Room 1 is the active room; the decoy (if any) still comes first in the MDI client's child
  // order, then the rooms by number, then the welcome window.
  SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(rooms_.front()->Window()), 0);
  std::vector<HWND> order{decoy_.Handle()};
  for (const auto& room : rooms_) {
    order.push_back(room->Window());
  }
  order.push_back(welcome_.Handle());
  StackInOrder(order);
  SetFocus(rooms_.front()->Input());
}

// Looks like a room to a careless search (transcript, member list, icon) but has no title
// static, which is what tells a room apart.
bool Documents::CreateDecoy(HWND mdiClient) {
  const HFONT font = host_.UiFont();
  if (!decoy_.CreateDocument(mdiClient, kDecoyTitle, Px(kDecoyBounds)) ||
      !CreateChildren(decoy_.Handle(),
                      {{kDecoyTextId, kRichClass, "", WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                        WS_EX_CLIENTEDGE, nullptr, IsUnicodeKind(host_.Settings().transcript)},
                       {kDecoyListId, kListboxClass, "",
                        WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, font},
                       {kDecoyIconId, kIconClass, "Find", 0, 0, font}})) {
    return false;
  }
  SendMessageA(decoy_.Item(kDecoyTextId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kDecoyText));
  for (const char* name : kDirectoryNames) {
    SendMessageA(decoy_.Item(kDecoyListId), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  decoy_.Relayout();
  return true;
}

void Documents::PaintWelcome(HDC dc, const RECT& client) const {
  FillSolid(dc, client, kBoxColor);
  const int margin = Px(kWelcomeMargin);
  const RECT heading{client.left + margin, client.top + margin, client.right - margin,
                     client.top + margin + Px(kWelcomeHeadingHeight)};
  DrawTextIn(dc, host_.HeadingFont(), kTitleColor, "Welcome, " + host_.Settings().screenName + "!",
             heading, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
  const RECT body{heading.left, heading.bottom, heading.right, client.bottom - margin};
  DrawTextIn(dc, host_.UiFont(), kWelcomeText, kWelcomeBody, body, DT_LEFT | DT_WORDBREAK);
}

}  // namespace practicehost
