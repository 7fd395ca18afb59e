#pragma once
// The document windows in the MDI client: the rooms, the welcome window whose title names the
// signed-on member, and a decoy that looks like a room to a careless search.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "practicehost/Container.h"
#include "practicehost/Room.h"

namespace practicehost {

class Host;

class Documents {
 public:
  explicit Documents(Host& host);
  Documents(const Documents&) = delete;
  Documents& operator=(const Documents&) = delete;

  // Makes every document the options ask for; false, with the reason, if one could not be made.
  bool Create(HWND mdiClient, std::string& error);
  // Puts them in the chat client's child order and makes room 1 the active one.
  void Arrange(HWND mdiClient);

  // The room by 0-based index; nullptr if there is none.
  Room* RoomAt(size_t index) const { return index < rooms_.size() ? rooms_[index].get() : nullptr; }

 private:
  bool CreateDecoy(HWND mdiClient);
  void PaintWelcome(HDC dc, const RECT& client) const;

  Host& host_;
  std::vector<std::unique_ptr<Room>> rooms_;
  Container welcome_;
  Container decoy_;
};

}  // namespace practicehost
