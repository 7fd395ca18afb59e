#pragma once
// The practice host's frame: the toolbar along its top, the MDI client with the documents, the
// say panel and the status line; and what the frame's parts share (options, fonts, the log).

#include <windows.h>

#include <string>

#include "practicehost/Classes.h"
#include "practicehost/Documents.h"
#include "practicehost/EventLog.h"
#include "practicehost/Options.h"
#include "practicehost/SayPanel.h"
#include "practicehost/Toolbar.h"
#include "winkit/Handles.h"
#include "winkit/Window.h"

namespace practicehost {

class Host final : winkit::Window {
 public:
  Host(HINSTANCE instance, Options options);
  // The windows go first, while everything they use is still there.
  ~Host() override { Destroy(); }

  // Opens the log and creates the windows; false, with the reason, if that failed.
  bool Start(std::string& error);
  // Runs until the frame is closed; the process's exit code.
  int Run();

  EventLog& Log() { return log_; }
  const Options& Settings() const { return options_; }
  const std::string& ScreenName() const { return options_.screenName; }
  HFONT UiFont() const { return uiFont_.Get(); }
  HFONT TitleFont() const { return titleFont_.Get(); }
  HFONT HeadingFont() const { return headingFont_.Get(); }
  Room* RoomAt(size_t index) const { return documents_.RoomAt(index); }
  void SetStatus(const std::string& text);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateFrame(std::string& error);
  void Layout(int width, int height);
  bool OnCopyData(const COPYDATASTRUCT& data);
  // True if every heap of the process is sound; logs the outcome.
  bool CheckHeaps();

  HINSTANCE instance_;
  Options options_;
  WindowClasses classes_;
  winkit::UniqueFont uiFont_;
  winkit::UniqueFont titleFont_;
  winkit::UniqueFont headingFont_;
  EventLog log_;
  Toolbar toolbar_{*this};
  SayPanel sayPanel_{*this};
  Documents documents_{*this};
  HWND mdiClient_ = nullptr;
};

}  // namespace practicehost
