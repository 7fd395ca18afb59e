#include "practicehost/Host.h"

#include <algorithm>
#include <array>

#include "practicehost/Protocol.h"
#include "practicehost/Text.h"

namespace practicehost {
namespace {

constexpr char kFrameTitlePrefix[] = "Practice Host - ";
constexpr char kDecoyTitle[] = "Member Directory";
constexpr char kDecoyText[] =
    "Find a member by screen name, then click Find.\r\n(This window only looks like a room.)";
constexpr char kWelcomeBody[] =
    "You are signed on to the practice host.\r\n\r\n"
    "Say a line in the room, open an address from the Keyword box, or use \"Say as\" below the "
    "rooms to speak for another member. Nothing here reaches the network.";
constexpr char kDefaultSayAsSender[] = "Marsh Wren";
constexpr char kKeywordTarget[] = "keyword";
constexpr WPARAM kNoEditLimit = 0;  // EM_SETLIMITTEXT: as much as an edit control takes
constexpr std::array<const char*, 3> kDirectoryNames = {"Ada Finch", "Corin Vale", "Juno Reed"};

constexpr int kFrameX = 20;
constexpr int kFrameY = 20;
constexpr int kFrameWidth = 960;
constexpr int kFrameHeight = 700;
constexpr int kToolbarHeight = 40;
constexpr int kSayPanelHeight = 36;
constexpr int kStatusHeight = 22;
constexpr int kControlHeight = 24;
constexpr int kComboboxHeight = 26;
constexpr int kComboboxInset = 4;
constexpr int kGap = 8;
constexpr int kKeywordLabelWidth = 64;
constexpr int kKeywordWidth = 420;
constexpr int kGoWidth = 44;
constexpr int kSayAsLabelWidth = 46;
constexpr int kSenderWidth = 130;
constexpr int kInLabelWidth = 18;
constexpr int kRoomChoiceWidth = 120;
constexpr int kRoomChoiceDropHeight = 120;
constexpr int kSayButtonWidth = 60;
constexpr int kMinSayTextWidth = 80;
constexpr int kWelcomeMargin = 14;
constexpr int kWelcomeHeadingHeight = 34;
constexpr int kDecoyIconWidth = 64;

// Places in the MDI client (left, top, right, bottom). A second room peeks out from behind room 1,
// its caption showing; the welcome window and the decoy sit beside the rooms.
constexpr RECT kSingleRoomBounds = {8, 8, 618, 458};
constexpr std::array<RECT, kMaxRooms> kCascadedRoomBounds = {RECT{30, 32, 620, 466},
                                                             RECT{8, 8, 598, 442}};
constexpr RECT kWelcomeBounds = {628, 8, 928, 228};
constexpr RECT kDecoyBounds = {628, 236, 928, 500};

enum FrameChildId { kMdiClientId = 1, kToolbarStripId, kSayPanelId, kStatusId };
enum ToolbarChildId { kToolbarId = 201, kComboboxId, kKeywordId, kGoId };
enum SayPanelChildId {
  kSayAsLabelId = 301,
  kSayAsSenderId,
  kSayAsInLabelId,
  kSayAsRoomId,
  kSayAsTextId,
  kSayAsButtonId
};
enum DecoyChildId { kDecoyTextId = 401, kDecoyListId, kDecoyIconId };
constexpr UINT kFirstMdiChildId = 1000;

constexpr COLORREF kToolbarColor = RGB(0xDC, 0xE6, 0xF2);
constexpr COLORREF kToolbarEdge = RGB(0x9A, 0xAC, 0xC4);
constexpr COLORREF kToolbarText = RGB(0x20, 0x30, 0x50);
constexpr COLORREF kBoxColor = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kWelcomeHeading = RGB(0x10, 0x30, 0x80);
constexpr COLORREF kWelcomeText = RGB(0x30, 0x30, 0x30);

constexpr char kUiFace[] = "Tahoma";
constexpr char kTitleFace[] = "Arial";
constexpr int kUiFontHeight = -13;
constexpr int kTitleFontHeight = -18;
constexpr int kHeadingFontHeight = -20;

UniqueGdi<HFONT> MakeFont(const char* face, int height, int weight) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return UniqueGdi<HFONT>(CreateFontIndirectA(&font));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  const UniqueGdi<HBRUSH> brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.Get());
}

void DrawTextIn(HDC dc, HFONT font, COLORREF color, std::string_view text, RECT rect, UINT format) {
  const ScopedSelect select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
}

}  // namespace

Host::Host(HINSTANCE instance, Options options)
    : instance_(instance), options_(std::move(options)) {
  toolbarStrip_.layout = [this](int width, int height) {
    MoveWindow(toolbarWindow_, 0, 0, width, height - 1, TRUE);
  };
  toolbarStrip_.paint = [](HDC dc, const RECT& client) {
    FillSolid(dc, client, kToolbarColor);
    FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, kToolbarEdge);
  };
  toolbar_.layout = [this](int width, int height) { LayoutToolbar(width, height); };
  toolbar_.paint = [this](HDC dc, const RECT& client) {
    FillSolid(dc, client, kToolbarColor);
    const RECT label{kGap, client.top, kGap + kKeywordLabelWidth, client.bottom};
    DrawTextIn(dc, UiFont(), kToolbarText, "Keyword", label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
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
    const UniqueGdi<HBRUSH> edge(CreateSolidBrush(kToolbarEdge));
    FrameRect(dc, &client, edge.Get());
  };
  combobox_.focus = [this] { return keywordBox_; };
  sayPanel_.layout = [this](int width, int height) { LayoutSayPanel(width, height); };
  sayPanel_.command = [this](int id, int code) {
    if (id == kSayAsButtonId && code == BN_CLICKED) SayFromPanel();
  };
  welcome_.paint = [this](HDC dc, const RECT& client) { PaintWelcome(dc, client); };
  decoy_.layout = [this](int width, int height) {
    const int half = height / 2;
    MoveWindow(decoyText_, kGap, kGap, width - 2 * kGap, half - kGap, TRUE);
    MoveWindow(decoyList_, kGap, half + kGap, width - kDecoyIconWidth - 3 * kGap,
               height - half - 2 * kGap, TRUE);
    MoveWindow(decoyIcon_, width - kDecoyIconWidth - kGap, height - kControlHeight - kGap,
               kDecoyIconWidth, kControlHeight, TRUE);
  };
  decoy_.command = [this](int id, int code) {
    if (id == kDecoyIconId && code == BN_CLICKED)
      SetStatus("The member directory is only a decoy.");
  };
  decoy_.destroyed = [this] { decoyText_ = decoyList_ = decoyIcon_ = nullptr; };
  keywordHook_ = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    return OnKeywordMessage(message, wParam, lParam);
  };
  sayTextHook_ = [this](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message != WM_CHAR || wParam != '\r') return std::nullopt;
    SayFromPanel();
    return 0;
  };
}

bool Host::Start(std::string& error) {
  if (!log_.Open(options_.logPath)) {
    error = "cannot open the log file " + WideToAnsi(options_.logPath);
    return false;
  }
  if (!classes_.Register(instance_, error)) {
    return false;
  }
  uiFont_ = MakeFont(kUiFace, kUiFontHeight, FW_NORMAL);
  titleFont_ = MakeFont(kTitleFace, kTitleFontHeight, FW_BOLD);
  headingFont_ = MakeFont(kTitleFace, kHeadingFontHeight, FW_BOLD);
  if (!CreateFrame(error)) {
    return false;
  }
  if (options_.toolbar) {
    CreateToolbar();
  }
  CreateSayPanel();
  status_ = CreateChild("Static", "Ready.", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_SUNKEN,
                        frame_.Get(), kStatusId);
  SetFont(status_, UiFont());
  RECT client;
  GetClientRect(frame_.Get(), &client);
  LayoutFrame(client.right, client.bottom);
  if (!CreateDocuments(error)) {
    return false;
  }

  ShowWindow(frame_.Get(), SW_SHOW);
  UpdateWindow(frame_.Get());
  // Room 1 is the active room; the decoy (if any) still comes first in the MDI client's child
  // order, then the rooms by number, then the welcome window.
  SendMessageA(mdiClient_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(rooms_.front()->Window()), 0);
  std::vector<HWND> order{decoyWindow_};
  for (const auto& room : rooms_) order.push_back(room->Window());
  order.push_back(welcomeWindow_);
  StackInOrder(order);
  SetFocus(rooms_.front()->Input());
  log_.Ready(GetCurrentProcessId());
  return true;
}

int Host::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (mdiClient_ && TranslateMDISysAccel(mdiClient_, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Host::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<Host*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
  if (!host) {
    return DefFrameProcA(frame, nullptr, message, wParam, lParam);
  }
  return host->OnFrameMessage(frame, message, wParam, lParam);
}

LRESULT Host::OnFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      // Not passed on: DefFrameProc would give the MDI client the whole frame.
      if (wParam != SIZE_MINIMIZED) {
        LayoutFrame(LOWORD(lParam), HIWORD(lParam));
      }
      return 0;
    case kHangMessage:
      // Logged first, so that whoever asked knows from when on the host does not answer.
      log_.Hang(static_cast<int>(wParam));
      Sleep(static_cast<DWORD>(std::min<WPARAM>(wParam, kLongestHangMs)));
      return 0;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      return data && OnCopyData(*data) ? TRUE : FALSE;
    }
    case WM_DESTROY:
      frame_.Forget();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
      mdiClient_ = nullptr;
      return DefFrameProcA(frame, nullptr, message, wParam, lParam);
    default:
      return DefFrameProcA(frame, mdiClient_, message, wParam, lParam);
  }
}

bool Host::CreateFrame(std::string& error) {
  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof frameClass;
  frameClass.style = CS_HREDRAW | CS_VREDRAW;
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance_;
  frameClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
  frameClass.lpszClassName = kFrameClass;
  if (!RegisterClassExA(&frameClass)) {
    error = "cannot register the frame's window class";
    return false;
  }
  frameClass_ = std::make_unique<ClassRegistration>(kFrameClass, instance_);

  const std::string title = kFrameTitlePrefix + options_.screenName;
  frame_.Reset(CreateWindowExA(0, kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               kFrameX, kFrameY, kFrameWidth, kFrameHeight, nullptr, nullptr,
                               instance_, this));
  if (!frame_.Get()) {
    error = "cannot create the frame window";
    return false;
  }
  CLIENTCREATESTRUCT client{nullptr, kFirstMdiChildId};
  mdiClient_ = CreateWindowExA(
      WS_EX_CLIENTEDGE, kMdiClientClass, nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, frame_.Get(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMdiClientId)), instance_, &client);
  if (!mdiClient_) {
    error = "cannot create the MDI client window";
    return false;
  }
  return true;
}

void Host::CreateToolbar() {
  toolbarStripWindow_ =
      CreateChild(kToolbarStripClass, "", WS_CLIPCHILDREN, frame_.Get(), kToolbarStripId);
  toolbarWindow_ = CreateChild(kToolbarClass, "", WS_CLIPCHILDREN, toolbarStripWindow_, kToolbarId);
  comboboxWindow_ = CreateChild(kComboboxClass, "", WS_CLIPCHILDREN, toolbarWindow_, kComboboxId);
  keywordBox_ =
      CreateChild(kEditClass, "", ES_AUTOHSCROLL | WS_TABSTOP, comboboxWindow_, kKeywordId);
  goButton_ = CreateChild("Button", "Go", BS_PUSHBUTTON, toolbarWindow_, kGoId);
  SendMessageA(keywordBox_, EM_SETLIMITTEXT, kNoEditLimit, 0);
  SetFont(keywordBox_, UiFont());
  SetFont(goButton_, UiFont());
  InstallHook(keywordBox_, &keywordHook_);
  AttachContainer(comboboxWindow_, &combobox_);
  AttachContainer(toolbarWindow_, &toolbar_);
  AttachContainer(toolbarStripWindow_, &toolbarStrip_);
}

void Host::CreateSayPanel() {
  const HWND panel = sayPanelWindow_ =
      CreateChild(kPanelClass, "", WS_CLIPCHILDREN, frame_.Get(), kSayPanelId);
  sayAsLabel_ = CreateChild("Static", "Say as", SS_CENTERIMAGE, panel, kSayAsLabelId);
  sayAsSender_ = CreateChild("Edit", kDefaultSayAsSender, ES_AUTOHSCROLL | WS_TABSTOP, panel,
                             kSayAsSenderId, WS_EX_CLIENTEDGE);
  sayAsInLabel_ = CreateChild("Static", "in", SS_CENTERIMAGE, panel, kSayAsInLabelId);
  sayAsRoom_ =
      CreateChild("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, panel, kSayAsRoomId);
  sayAsText_ =
      CreateChild("Edit", "", ES_AUTOHSCROLL | WS_TABSTOP, panel, kSayAsTextId, WS_EX_CLIENTEDGE);
  sayAsButton_ = CreateChild("Button", "Say", BS_PUSHBUTTON | WS_TABSTOP, panel, kSayAsButtonId);
  for (const HWND control :
       {sayAsLabel_, sayAsSender_, sayAsInLabel_, sayAsRoom_, sayAsText_, sayAsButton_}) {
    SetFont(control, UiFont());
  }
  for (int room = 1; room <= options_.rooms; ++room) {
    SendMessageA(sayAsRoom_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RoomName(room)));
  }
  SendMessageA(sayAsRoom_, CB_SETCURSEL, 0, 0);
  InstallHook(sayAsText_, &sayTextHook_);
  AttachContainer(panel, &sayPanel_);
}

bool Host::CreateDocuments(std::string& error) {
  // Each new MDI child goes on top of the others, so they are made back to front.
  if (options_.welcome) {
    const std::string title =
        options_.welcomeTitle.value_or("Welcome, " + options_.screenName + "!");
    welcomeWindow_ = CreateDocumentWindow(mdiClient_, title, kWelcomeBounds);
    if (!welcomeWindow_) {
      error = "cannot create the welcome window";
      return false;
    }
    AttachContainer(welcomeWindow_, &welcome_);
  }
  for (int number = 1; number <= options_.rooms; ++number) {
    rooms_.push_back(std::make_unique<Room>(*this, number));
  }
  for (int number = options_.rooms; number >= 1; --number) {
    const auto index = static_cast<size_t>(number - 1);
    const RECT& bounds = options_.rooms == 1 ? kSingleRoomBounds : kCascadedRoomBounds[index];
    if (!rooms_[index]->Create(mdiClient_, bounds)) {
      error = "cannot create the room " + rooms_[index]->Name();
      return false;
    }
  }
  if (options_.decoy) {
    decoyWindow_ = CreateDocumentWindow(mdiClient_, kDecoyTitle, kDecoyBounds);
    if (!decoyWindow_) {
      error = "cannot create the decoy window";
      return false;
    }
    CreateDecoyContent(decoyWindow_);
    AttachContainer(decoyWindow_, &decoy_);
  }
  return true;
}

// Looks like a room to a careless search (transcript, member list, icon) but has no title
// static, which is what tells a room apart.
void Host::CreateDecoyContent(HWND decoy) {
  decoyText_ = CreateRichText(decoy, kDecoyTextId, WS_VSCROLL | ES_MULTILINE | ES_READONLY);
  SendMessageA(decoyText_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kDecoyText));
  decoyList_ = CreateChild(kListboxClass, "", WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                           decoy, kDecoyListId, WS_EX_CLIENTEDGE);
  for (const char* name : kDirectoryNames) {
    SendMessageA(decoyList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  decoyIcon_ = CreateChild(kIconClass, "Find", 0, decoy, kDecoyIconId);
  SetFont(decoyList_, UiFont());
  SetFont(decoyIcon_, UiFont());
}

void Host::LayoutFrame(int width, int height) {
  int top = 0;
  if (toolbarStripWindow_) {
    MoveWindow(toolbarStripWindow_, 0, 0, width, kToolbarHeight, TRUE);
    top = kToolbarHeight;
  }
  const int statusTop = height - kStatusHeight;
  const int panelTop = statusTop - kSayPanelHeight;
  if (status_) {
    MoveWindow(status_, 0, statusTop, width, kStatusHeight, TRUE);
  }
  if (sayPanelWindow_) {
    MoveWindow(sayPanelWindow_, 0, panelTop, width, kSayPanelHeight, TRUE);
  }
  if (mdiClient_) {
    MoveWindow(mdiClient_, 0, top, width, std::max(0, panelTop - top), TRUE);
  }
}

void Host::LayoutToolbar(int, int height) {
  const int top = (height - kComboboxHeight) / 2;
  const int comboboxLeft = kGap + kKeywordLabelWidth;
  MoveWindow(comboboxWindow_, comboboxLeft, top, kKeywordWidth, kComboboxHeight, TRUE);
  MoveWindow(goButton_, comboboxLeft + kKeywordWidth + kGap, top, kGoWidth, kComboboxHeight, TRUE);
}

void Host::LayoutSayPanel(int width, int height) {
  const int top = (height - kControlHeight) / 2;
  int left = kGap;
  auto place = [&](HWND control, int controlWidth, int controlHeight, int gapAfter) {
    MoveWindow(control, left, top, controlWidth, controlHeight, TRUE);
    left += controlWidth + gapAfter;
  };
  place(sayAsLabel_, kSayAsLabelWidth, kControlHeight, 0);
  place(sayAsSender_, kSenderWidth, kControlHeight, kGap / 2);
  place(sayAsInLabel_, kInLabelWidth, kControlHeight, 0);
  place(sayAsRoom_, kRoomChoiceWidth, kRoomChoiceDropHeight, kGap);
  const int textWidth = std::max(kMinSayTextWidth, width - left - kSayButtonWidth - 2 * kGap);
  place(sayAsText_, textWidth, kControlHeight, kGap);
  place(sayAsButton_, kSayButtonWidth, kControlHeight, 0);
}

void Host::PaintWelcome(HDC dc, const RECT& client) const {
  FillSolid(dc, client, kBoxColor);
  const RECT heading{client.left + kWelcomeMargin, client.top + kWelcomeMargin,
                     client.right - kWelcomeMargin,
                     client.top + kWelcomeMargin + kWelcomeHeadingHeight};
  DrawTextIn(dc, headingFont_.Get(), kWelcomeHeading, "Welcome, " + options_.screenName + "!",
             heading, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
  const RECT body{heading.left, heading.bottom, heading.right, client.bottom - kWelcomeMargin};
  DrawTextIn(dc, uiFont_.Get(), kWelcomeText, kWelcomeBody, body, DT_LEFT | DT_WORDBREAK);
}

std::optional<LRESULT> Host::OnKeywordMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      log_.SetText(kKeywordTarget, "", lParam ? reinterpret_cast<const char*>(lParam) : "");
      return std::nullopt;
    case WM_CHAR:
      log_.Char(kKeywordTarget, "", static_cast<unsigned>(wParam));
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
void Host::OpenKeyword() {
  if (!keywordBox_) {
    return;
  }
  const std::string text = GetText(keywordBox_);
  const std::string address(TrimBlanks(text));
  if (address.empty()) {
    return;
  }
  SetStatus("Opened: " + address);
  log_.Opened(address);
  CallOriginal(keywordBox_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

bool Host::OnCopyData(const COPYDATASTRUCT& data) {
  if (data.dwData < 1 || data.dwData > rooms_.size()) {
    return false;
  }
  const std::string_view bytes =
      data.lpData ? std::string_view(static_cast<const char*>(data.lpData), data.cbData)
                  : std::string_view();
  const std::optional<CopyDataLine> line = DecodeCopyData(bytes);
  return line && rooms_[data.dwData - 1]->Say(line->sender, line->text);
}

void Host::SayFromPanel() {
  const std::string senderText = GetText(sayAsSender_);
  const std::string sender(TrimBlanks(senderText));
  if (sender.empty()) {
    SetStatus("Type a name after \"Say as\" first.");
    return;
  }
  const LRESULT choice = SendMessageA(sayAsRoom_, CB_GETCURSEL, 0, 0);
  const size_t index =
      choice >= 0 && static_cast<size_t>(choice) < rooms_.size() ? static_cast<size_t>(choice) : 0;
  Room& room = *rooms_[index];
  if (room.Say(sender, GetText(sayAsText_))) {
    SetWindowTextA(sayAsText_, "");
    SetStatus("Said as " + sender + " in " + room.Name() + ".");
  }
}

void Host::SetStatus(const std::string& text) {
  if (status_) SetWindowTextA(status_, text.c_str());
}

}  // namespace practicehost
