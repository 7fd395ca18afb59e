#include "formkit/Display.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace formkit {
namespace {

struct StandIns {
  std::string_view face;
  std::array<std::string_view, 3> standIns;  // closest first
};

// Liberation Sans Narrow is made to Arial Narrow's widths, Nimbus Sans Narrow to those of the
// narrow Helvetica it copies; Arial Nova Cond is the same design redrawn, a little wider.
constexpr StandIns kStandIns[] = {
    {"Arial Narrow", {"Liberation Sans Narrow", "Nimbus Sans Narrow", "Arial Nova Cond"}},
};

}  // namespace

std::optional<std::string_view> StandInFace(
    std::string_view face, const std::function<bool(std::string_view)>& installed) {
  for (const StandIns& entry : kStandIns) {
    if (entry.face != face) {
      continue;
    }
    for (const std::string_view standIn : entry.standIns) {
      if (installed(standIn)) {
        return standIn;
      }
    }
  }
  return std::nullopt;
}

int FittingHeight(int height, std::span<const Room> rooms) {
  double worst = 1;
  for (const Room& room : rooms) {
    if (room.needed > room.available) {
      worst = std::min(worst, static_cast<double>(std::max(room.available, 0)) / room.needed);
    }
  }
  if (worst >= 1) {
    return height;
  }
  return std::max(static_cast<int>(std::floor(height * worst)), 1);
}

}  // namespace formkit
