// Prints a small table of Zibbet's costs, measured in one run under Wine. Ratios compare rows of
// the same run; absolute times on a shared machine are only indicative.
//
// zibbet_bench [ROW...]: each ROW is "measure|value|target", a fact found outside this program
// (bench.sh passes the sizes and imports of both builds' Zibbet.exe), printed as a last row so
// that one table comes out.
// zibbet_bench --desktop: the desktop rows alone, for a second display.
// zibbet_bench --long-day: the long day's rows alone.
// zibbet_bench --probes: the probes' costs by transcript kind alone.
// zibbet_bench --client: the unfriendly client's rows alone.
#include <string_view>
#include <utility>

#include "Table.h"

// Each file of rows adds its sections to the table: declared and called here, in table order.
namespace bench {
void CoreRows(Table& table);
void ProgramRows(Table& table);
void DesktopRows(Table& table);
void ClientRows(Table& table);
void LongDayRows(Table& table);
void ProbeRows(Table& table);
}  // namespace bench

int main(int argc, char** argv) {
  // One group of rows alone, by its flag.
  constexpr std::pair<std::string_view, void (*)(bench::Table&)> kAlone[] = {
      {"--desktop", bench::DesktopRows},
      {"--long-day", bench::LongDayRows},
      {"--client", bench::ClientRows},
      {"--probes", bench::ProbeRows}};
  bench::Table table;
  for (const auto& [flag, rows] : kAlone) {
    if (argc == 2 && std::string_view(argv[1]) == flag) {
      rows(table);
      return table.Failed() == 0 ? 0 : 1;
    }
  }
  bench::CoreRows(table);
  bench::ClientRows(table);
  bench::LongDayRows(table);
  bench::ProbeRows(table);
  bench::ProgramRows(table);
  bench::DesktopRows(table);
  for (int i = 1; i < argc; ++i) {
    table.GivenRow(argv[i]);
  }
  return table.Failed() == 0 ? 0 : 1;
}
