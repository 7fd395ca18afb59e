#include "MemoryWindows.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "hostwin/ChatRoom.h"

namespace testing_support {
namespace {

bool SameClass(std::u16string_view a, std::u16string_view b) {
  auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace

Handle MemoryWindows::Add(Handle parent, std::u16string_view className, std::u16string_view title) {
  const Handle handle = next_;
  next_ += 4;
  windows_[handle] = Window{parent, std::u16string(className), std::u16string(title), {}};
  order_.push_back(handle);
  return handle;
}

void MemoryWindows::Destroy(Handle window) {
  for (Handle child = Find(window, 0, {}, true); child != 0; child = Find(window, 0, {}, true)) {
    Destroy(child);
  }
  windows_.erase(window);
  order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
}

Handle MemoryWindows::Find(Handle parent, Handle after, std::u16string_view className,
                           bool anyClass) const {
  auto it = after == 0 ? order_.begin() : std::find(order_.begin(), order_.end(), after);
  if (after != 0 && it != order_.end()) {
    ++it;
  }
  for (; it != order_.end(); ++it) {
    const Window& window = windows_.at(*it);
    if (window.parent == parent && (anyClass || SameClass(window.className, className))) {
      return *it;
    }
  }
  return 0;
}

int MemoryWindows::TitleLength(Handle window) {
  const auto it = windows_.find(window);
  return it == windows_.end() ? 0
                              : it->second.reportedLength.value_or(int(it->second.title.size()));
}

bool MemoryWindows::ReadFails() {
  ++reads_;
  if (failReads_ == 0 || readsBeforeFailing_-- > 0) {
    return false;
  }
  --failReads_;
  return true;
}

std::u16string MemoryWindows::Content(Handle window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() ? std::u16string() : it->second.title;
}

std::optional<std::u16string> MemoryWindows::Read(Handle window) {
  if (std::exchange(throwOnRead_, false)) {
    throw std::length_error("a buffer for an absurd length");
  }
  if (ReadFails() || !windows_.contains(window)) {
    return std::nullopt;
  }
  return Content(window);
}

std::optional<std::vector<MemoryWindows::Row>> MemoryWindows::Rows(Handle window) {
  const auto text = Read(window);
  if (!text) {
    return std::nullopt;
  }
  std::vector<Row> rows;
  int position = 0;
  std::size_t at = 0;
  while (true) {
    const std::size_t end = std::min(text->find_first_of(u"\r\n", at), text->size());
    const std::u16string_view line = std::u16string_view(*text).substr(at, end - at);
    for (std::size_t piece = 0; piece == 0 || piece < line.size(); piece += rowWidth_) {
      const std::u16string_view row = rowWidth_ == 0 ? line : line.substr(piece, rowWidth_);
      rows.push_back({position, std::u16string(row)});
      position += static_cast<int>(row.size());
      if (rowWidth_ == 0) {
        break;
      }
    }
    // The row that ends a line ends in "\r", which counts one position; the last has none.
    if (end == text->size()) {
      return rows;
    }
    rows.back().text += u'\r';
    position += 1;
    at = end + (text->compare(end, 2, u"\r\n") == 0 ? 2 : 1);
  }
}

std::optional<int> MemoryWindows::RowCount(Handle window) {
  const auto rows = Rows(window);
  return rows ? std::optional<int>(static_cast<int>(rows->size())) : std::nullopt;
}

std::optional<int> MemoryWindows::RowStart(Handle window, int row) {
  onRowStart_();
  const auto rows = Rows(window);
  return rows && row >= 0 && static_cast<std::size_t>(row) < rows->size()
             ? std::optional<int>((*rows)[static_cast<std::size_t>(row)].start)
             : std::nullopt;
}

std::optional<int> MemoryWindows::RowLength(Handle window, int position) {
  const auto rows = Rows(window);
  if (!rows || position < 0) {
    return std::nullopt;
  }
  // The last row whose start is not past the position; beyond the end, the last row.
  std::size_t row = 0;
  while (row + 1 < rows->size() && (*rows)[row + 1].start <= position) {
    ++row;
  }
  const std::u16string& text = (*rows)[row].text;
  return static_cast<int>(text.ends_with(u'\r') ? text.size() - 1 : text.size());
}

bool MemoryWindows::Record(Message message) {
  if (failSends_ > 0) {
    --failSends_;
    return false;
  }
  message.at = clock_();
  messages_.push_back(std::move(message));
  onMessage_(messages_.back());
  return true;
}

ClientTree::ClientTree(MemoryWindows& windows, bool withToolbar) : windows_(windows) {
  const Handle frame = windows.Add(0, hostwin::kFrameClass, u"Chat");
  if (withToolbar) {
    const Handle bar = windows.Add(frame, u"AOL Toolbar");
    const Handle inner = windows.Add(bar, u"_AOL_Toolbar");
    const Handle combo = windows.Add(inner, u"_AOL_Combobox");
    toolbarEdit = windows.Add(combo, u"Edit");
  }
  area = windows.Add(frame, hostwin::kDocumentAreaClass);
}

Handle ClientTree::AddDocument(std::u16string_view title,
                               const std::vector<std::u16string_view>& children) {
  const Handle document = windows_.Add(area, hostwin::kDocumentClass, title);
  for (const auto child : children) {
    windows_.Add(document, child);
  }
  return document;
}

Handle ClientTree::AddRoom(std::u16string_view title) {
  return AddDocument(title, {hostwin::kRichTextClass, hostwin::kRichTextClass, hostwin::kListClass,
                             hostwin::kIconClass, hostwin::kStaticClass});
}

Handle ClientTree::InputOf(Handle room) const {
  const Handle transcript = windows_.FindChild(room, 0, hostwin::kRichTextClass);
  return windows_.FindChild(room, transcript, hostwin::kRichTextClass);
}

}  // namespace testing_support
