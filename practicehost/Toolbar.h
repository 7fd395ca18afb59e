#pragma once
// The toolbar along the frame's top, as the chat client nests it: "AOL Toolbar" > "_AOL_Toolbar" >
// "_AOL_Combobox" > Edit, the keyword box whose addresses are "opened", with a Go button beside.

#include <windows.h>

#include <optional>

#include "practicehost/Container.h"
#include "winkit/Subclass.h"

namespace practicehost {

class Host;

class Toolbar {
 public:
  explicit Toolbar(Host& host);
  Toolbar(const Toolbar&) = delete;
  Toolbar& operator=(const Toolbar&) = delete;

  void Create(HWND frame, int id);
  HWND Window() const { return strip_.Handle(); }

 private:
  std::optional<LRESULT> OnKeywordMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OpenKeyword();

  Host& host_;
  Container strip_;
  Container toolbar_;
  Container combobox_;
  winkit::Subclass keywordHook_;
};

}  // namespace practicehost
