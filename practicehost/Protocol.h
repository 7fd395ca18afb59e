#pragma once
// What the practice host shares with the programs that drive it: the chat client's window classes,
// the rooms' titles and the WM_COPYDATA format for lines said by other members.

#include <optional>
#include <string>
#include <string_view>

namespace practicehost {

inline constexpr char kFrameClass[] = "AOL Frame25";
inline constexpr char kMdiClientClass[] = "MDIClient";
inline constexpr char kChildClass[] = "AOL Child";
inline constexpr char kRichClass[] = "RICHCNTL";
inline constexpr char kListboxClass[] = "_AOL_Listbox";
inline constexpr char kIconClass[] = "_AOL_Icon";
inline constexpr char kStaticClass[] = "_AOL_Static";
inline constexpr char kToolbarStripClass[] = "AOL Toolbar";
inline constexpr char kToolbarClass[] = "_AOL_Toolbar";
inline constexpr char kComboboxClass[] = "_AOL_Combobox";
inline constexpr char kEditClass[] = "Edit";

inline constexpr char kExecutableName[] = "PracticeHost.exe";
inline constexpr char kDefaultScreenName[] = "Kestrel Jay";
inline constexpr int kMaxRooms = 2;

// Posted to the frame by --hang with the milliseconds in wParam (WM_APP + 1; the frame's class is
// ours, so no other program's message can share the number).
inline constexpr unsigned kHangMessage = 0x8001;
inline constexpr int kLongestHangMs = 10 * 60 * 1000;

// What every --huge-length'th WM_GETTEXTLENGTH of a transcript answers.
inline constexpr long kHugeLength = 0x40000000;

// A WM_COPYDATA whose dwData is this, and no room number, asks the host to check its heaps (by
// --check-heap); it answers TRUE if they are sound, FALSE if one is corrupt, and logs the outcome.
// The data, if any, is ignored.
inline constexpr unsigned long kCheckHeapData = 0x48656170;  // "Heap"
// --check-heap's exit code for a corrupt heap (0: sound; others: no host answered).
inline constexpr int kHeapCorruptExitCode = 5;

// Room titles by 1-based room number; nullptr outside 1..kMaxRooms.
const char* RoomName(int room);

// A WM_COPYDATA line from another member: dwData is the 1-based room, the bytes are
// sender + TAB + text in the ANSI code page, without a terminating NUL.
struct CopyDataLine {
  std::string sender;
  std::string text;
};
std::string EncodeCopyData(std::string_view sender, std::string_view text);
// Empty when there is no TAB or the sender is empty.
std::optional<CopyDataLine> DecodeCopyData(std::string_view bytes);

}  // namespace practicehost
