#pragma once

#include <string>
#include <string_view>

#include "hostwin/WindowAccess.h"

namespace hostwin {

// Window classes of the chat client, as its windows register them.
inline constexpr std::u16string_view kFrameClass = u"AOL Frame25";
inline constexpr std::u16string_view kDocumentAreaClass = u"MDIClient";
inline constexpr std::u16string_view kDocumentClass = u"AOL Child";
inline constexpr std::u16string_view kRichTextClass = u"RICHCNTL";
inline constexpr std::u16string_view kListClass = u"_AOL_Listbox";
inline constexpr std::u16string_view kIconClass = u"_AOL_Icon";
inline constexpr std::u16string_view kStaticClass = u"_AOL_Static";

inline constexpr char16_t kEnter = 13;

// The first document window, in child order, that has a transcript, a member list, an icon and
// a title; 0 without the client or a room. Every call walks the windows afresh.
Handle FindChatRoom(WindowAccess& windows);

// Types the line into the room's input box and presses Enter, keeping what the user had typed
// there (see TypeInto). Without a room, or a room with no input box, nothing is sent anywhere; a
// line the box did not take in time is not retried.
void SendToChat(WindowAccess& windows, std::u16string_view text);

// Replaces the box's text by `text` and sends `keys` one by one, stopping at the first the box
// does not take in time. What the box held before, a line the user is half-way through, is then
// put back with the caret at its end; an empty box gets nothing more, unless a key was not taken
// (the text must not stay behind for the user's next Enter). A box that cannot be read may hold
// such a line, so it is left alone and the text given up.
void TypeInto(WindowAccess& windows, Handle box, std::u16string_view text,
              std::u16string_view keys);

// The title as long as the window reports it; units it did not write stay NUL.
std::u16string ReadWindowTitle(WindowAccess& windows, Handle window);

// The signed-on user's name from the "Welcome, <name>!" window; empty when there is none.
std::u16string GetScreenName(WindowAccess& windows);

}  // namespace hostwin
