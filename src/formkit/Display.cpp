#include "formkit/Display.h"

#include <algorithm>
#include <array>

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

int LargestFitting(int least, int most, const std::function<bool(int)>& fits) {
  if (most <= least || fits(most)) {
    return std::max(most, least);
  }
  // Between the floor and the last height found too large.
  int low = least;
  int high = most - 1;
  while (low < high) {
    const int middle = low + (high - low + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

}  // namespace formkit
