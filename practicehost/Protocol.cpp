#include "practicehost/Protocol.h"

#include <array>

namespace practicehost {

const char* RoomName(int room) {
  static constexpr std::array<const char*, kMaxRooms> kNames = {"Town Square", "Lobby 12"};
  if (room < 1 || room > kMaxRooms) {
    return nullptr;
  }
  return kNames[static_cast<size_t>(room - 1)];
}

std::string EncodeCopyData(std::string_view sender, std::string_view text) {
  std::string bytes;
  bytes.reserve(sender.size() + 1 + text.size());
  bytes.append(sender).append(1, '\t').append(text);
  return bytes;
}

std::optional<CopyDataLine> DecodeCopyData(std::string_view bytes) {
  const size_t tab = bytes.find('\t');
  if (tab == std::string_view::npos || tab == 0) {
    return std::nullopt;
  }
  return CopyDataLine{std::string(bytes.substr(0, tab)), std::string(bytes.substr(tab + 1))};
}

}  // namespace practicehost
