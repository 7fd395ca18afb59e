#pragma once
// The benchmark's table: one markdown row per measure, printed as it is measured, and sections
// whose failure becomes a row of its own so that the rest of the table still comes out.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

class Table {
 public:
  // Prints the header.
  Table();

  void Row(const std::string& measure, const std::string& value, const std::string& target);
  // "measure|value|target", a fact found outside this program.
  void GivenRow(std::string_view row);

  // Runs one section of rows; an exception ends the section with a "FAILED" row.
  void Section(const std::string& name, const std::function<void(Table&)>& section);
  int Failed() const { return failed_; }

 private:
  int failed_ = 0;
};

// printf-style formatting of one value (up to 127 characters).
__attribute__((format(gnu_printf, 1, 2))) std::string Format(const char* format, ...);

double Median(std::vector<double> values);  // -1 for none
double SecondsSince(Clock::time_point start);
// "1234 ms": the median of seconds; "(5 runs: 1000 to 2000 ms)": their spread.
std::string MedianMs(const std::vector<double>& seconds);
std::string SpreadMs(const std::vector<double>& seconds);

}  // namespace bench
