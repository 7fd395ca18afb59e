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
  bench::Table table;
  if (argc == 2 && std::string_view(argv[1]) == "--desktop") {
    bench::DesktopRows(table);
    return table.Failed() == 0 ? 0 : 1;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--long-day") {
    bench::LongDayRows(table);
    return table.Failed() == 0 ? 0 : 1;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--client") {
    bench::ClientRows(table);
    return table.Failed() == 0 ? 0 : 1;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--probes") {
    bench::ProbeRows(table);
    return table.Failed() == 0 ? 0 : 1;
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
