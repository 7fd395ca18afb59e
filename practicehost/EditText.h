#pragma once
// Transcripts of the EDIT kinds: the system's multi-line EDIT, read-only and word-wrapped, each
// line appended as plain text (no colour) at the end.

#include <windows.h>

#include <string>

#include "practicehost/Transcript.h"

namespace practicehost {

// A new RICHCNTL of an EDIT kind, transcript or input box.
void SetUpEdit(HWND edit);
// An EDIT's text in UTF-16 (CR LF between lines), past the read habits.
std::wstring GetEditText(HWND edit);

class EditTranscript final : public Transcript {
 public:
  DWORD Style() const override;
  void AppendLine(std::string_view sender, const std::vector<Run>& runs) override;
  void AppendText(std::string_view text) override;
  std::wstring Text() const override { return GetEditText(Window()); }
  size_t LengthBound() const override;
  void CutTop(size_t count) override;

 private:
  void MoveCaretToEnd() override;
};

}  // namespace practicehost
