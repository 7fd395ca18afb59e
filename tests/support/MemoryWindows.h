#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hostwin/WindowAccess.h"

namespace testing_support {

using hostwin::Handle;

// An in-memory window tree with the platform's search rules (class names compared without
// regard to case, children in the order they were added) that records what is sent.
class MemoryWindows final : public hostwin::WindowAccess {
 public:
  struct Message {
    Handle window = 0;
    bool isChar = false;
    std::u16string text;  // WM_SETTEXT
    char16_t code = 0;    // WM_CHAR
    double at = 0;        // the clock's reading when it was sent
    bool isCaretToEnd = false;
    bool operator==(const Message&) const = default;
  };

  // Told of every message after it is recorded, as a window procedure would be.
  void OnMessage(std::function<void(const Message&)> handler) { onMessage_ = std::move(handler); }
  // Stamps every message sent from now on.
  void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }

  // A window below `parent`, or a top-level one below 0, after its siblings.
  Handle Add(Handle parent, std::u16string_view className, std::u16string_view title = {});
  // The window's text: a title, or a control's content.
  void SetTitle(Handle window, std::u16string_view title) { windows_.at(window).title = title; }
  // Removes the window and everything below it.
  void Destroy(Handle window);
  // Makes the window report a title length other than its title's.
  void ReportLength(Handle window, int length) { windows_.at(window).reportedLength = length; }
  // After `skip` more text or length reads, the next `count` get no answer, as from a hung or
  // racing client. A window that is gone never answers them.
  void FailReads(int count, int skip = 0) {
    failReads_ = count;
    readsBeforeFailing_ = skip;
  }
  bool ReadsFailing() const { return failReads_ > 0; }
  // The next `count` messages sent are not taken (and not recorded).
  void FailSends(int count) { failSends_ = count; }

  const std::vector<Message>& Messages() const { return messages_; }
  // Every search made below handle 0; a sound walk makes none.
  int SearchesUnderNone() const { return searchesUnderNone_; }

  Handle FindTopLevel(std::u16string_view className) override { return Find(0, 0, className); }
  Handle FindChild(Handle parent, Handle after, std::u16string_view className) override {
    searchesUnderNone_ += parent == 0 ? 1 : 0;
    return Find(parent, after, className);
  }
  int TitleLength(Handle window) override;
  std::u16string Title(Handle window, int capacity) override {
    return capacity <= 0 ? u"" : Content(window).substr(0, static_cast<std::size_t>(capacity - 1));
  }
  std::optional<int> TextLength(Handle window) override {
    const auto text = Read(window);
    return text ? std::optional<int>(static_cast<int>(text->size())) : std::nullopt;
  }
  std::optional<std::u16string> Text(Handle window) override {
    ++wholeReads_;
    onCopy_();
    return Read(window);
  }
  // Rows as a rich edit lays out the text: a line of more than the row width wraps, every line
  // break is a "\r" at the end of its row and counts one position.
  void SetRowWidth(std::size_t width) { rowWidth_ = width; }
  std::optional<int> RowCount(Handle window) override;
  std::optional<int> RowStart(Handle window, int row) override;
  std::optional<int> RowLength(Handle window, int position) override;
  // Called at every RowStart (which a rich edit answers by walking its rows from the top) and
  // every whole copy: what they cost the client.
  void OnRowStart(std::function<void()> cost) { onRowStart_ = std::move(cost); }
  void OnCopy(std::function<void()> cost) { onCopy_ = std::move(cost); }
  bool Answers(Handle window) override { return !ReadFails() && windows_.contains(window); }
  // Reads of every kind so far, answered or not, and of the whole text.
  int Reads() const { return reads_; }
  int WholeReads() const { return wholeReads_; }
  // The next read throws, as an allocation for an absurd reply would.
  void ThrowOnRead() { throwOnRead_ = true; }
  bool SetText(Handle window, std::u16string_view text) override {
    return Record({window, false, std::u16string(text)});
  }
  bool SendChar(Handle window, char16_t code) override { return Record({window, true, {}, code}); }
  bool CaretToEnd(Handle window) override { return Record({window, false, {}, 0, 0, true}); }
  // The window's text as it stands, for tests; empty for a window that is gone.
  std::u16string Content(Handle window) const;

 private:
  struct Window {
    Handle parent = 0;
    std::u16string className;
    std::u16string title;
    std::optional<int> reportedLength;
  };
  Handle Find(Handle parent, Handle after, std::u16string_view className,
              bool anyClass = false) const;
  struct Row {
    int start = 0;
    std::u16string text;
  };
  bool ReadFails();
  std::optional<std::u16string> Read(Handle window);
  std::optional<std::vector<Row>> Rows(Handle window);
  bool Record(Message message);

  std::map<Handle, Window> windows_;
  std::vector<Handle> order_;  // creation order = child order
  std::vector<Message> messages_;
  int searchesUnderNone_ = 0;
  int failReads_ = 0;
  int readsBeforeFailing_ = 0;
  int failSends_ = 0;
  int reads_ = 0;
  int wholeReads_ = 0;
  bool throwOnRead_ = false;
  std::size_t rowWidth_ = 0;  // 0: no wrapping
  std::function<double()> clock_ = [] { return 0.0; };
  std::function<void(const Message&)> onMessage_ = [](const Message&) {};
  std::function<void()> onRowStart_ = [] {};
  std::function<void()> onCopy_ = [] {};
  Handle next_ = 0x100;
};

// The chat client's tree as the walks expect it, built in child order.
struct ClientTree {
  Handle area = 0;
  Handle toolbarEdit = 0;

  explicit ClientTree(MemoryWindows& windows, bool withToolbar = true);
  // A document window with the given child classes, in order.
  Handle AddDocument(std::u16string_view title, const std::vector<std::u16string_view>& children);
  // A chat room: transcript, input box, member list, icon, title.
  Handle AddRoom(std::u16string_view title);
  // The room's input box (its second rich-text child).
  Handle InputOf(Handle room) const;

 private:
  MemoryWindows& windows_;
};

}  // namespace testing_support
