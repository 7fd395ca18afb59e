#pragma once
// The practice host's program state: the frame with its toolbar, MDI client, say-as panel and
// status line, and the document windows inside the MDI client.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "practicehost/Controls.h"
#include "practicehost/EventLog.h"
#include "practicehost/Options.h"
#include "practicehost/Room.h"
#include "practicehost/Win32Handles.h"

namespace practicehost {

class Host {
 public:
  Host(HINSTANCE instance, Options options);
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Opens the log and creates the windows; false, with the reason, if that failed.
  bool Start(std::string& error);
  // Runs until the frame is closed; the process's exit code.
  int Run();

  HINSTANCE Instance() const { return instance_; }
  EventLog& Log() { return log_; }
  const Options& Settings() const { return options_; }
  const std::string& ScreenName() const { return options_.screenName; }
  HFONT UiFont() const { return uiFont_.Get(); }
  HFONT TitleFont() const { return titleFont_.Get(); }

 private:
  static LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateFrame(std::string& error);
  void CreateToolbar();
  void CreateSayPanel();
  bool CreateDocuments(std::string& error);
  void CreateDecoyContent(HWND decoy);
  void LayoutFrame(int width, int height);
  void LayoutToolbar(int width, int height);
  void LayoutSayPanel(int width, int height);
  void PaintWelcome(HDC dc, const RECT& client) const;
  std::optional<LRESULT> OnKeywordMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OpenKeyword();
  bool OnCopyData(const COPYDATASTRUCT& data);
  void SayFromPanel();
  void SetStatus(const std::string& text);

  HINSTANCE instance_;
  Options options_;
  WindowClasses classes_;
  std::unique_ptr<ClassRegistration> frameClass_;
  UniqueGdi<HFONT> uiFont_;
  UniqueGdi<HFONT> titleFont_;
  UniqueGdi<HFONT> headingFont_;
  EventLog log_;
  std::vector<std::unique_ptr<Room>> rooms_;
  Container toolbarStrip_;
  Container toolbar_;
  Container combobox_;
  Container sayPanel_;
  Container welcome_;
  Container decoy_;
  MessageHook keywordHook_;
  MessageHook sayTextHook_;

  HWND mdiClient_ = nullptr;
  HWND toolbarStripWindow_ = nullptr;
  HWND toolbarWindow_ = nullptr;
  HWND comboboxWindow_ = nullptr;
  HWND keywordBox_ = nullptr;
  HWND goButton_ = nullptr;
  HWND sayPanelWindow_ = nullptr;
  HWND sayAsLabel_ = nullptr;
  HWND sayAsSender_ = nullptr;
  HWND sayAsInLabel_ = nullptr;
  HWND sayAsRoom_ = nullptr;
  HWND sayAsText_ = nullptr;
  HWND sayAsButton_ = nullptr;
  HWND status_ = nullptr;
  HWND welcomeWindow_ = nullptr;
  HWND decoyWindow_ = nullptr;
  HWND decoyText_ = nullptr;
  HWND decoyList_ = nullptr;
  HWND decoyIcon_ = nullptr;
  // Last: destroyed first, while everything its windows use is still there.
  UniqueWindow frame_;
};

}  // namespace practicehost
