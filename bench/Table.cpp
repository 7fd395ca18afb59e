#include "Table.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <exception>

namespace bench {

Table::Table() {
  Row("measure", "value", "target");
  std::printf("|%s|%s|%s|\n", std::string(50, '-').c_str(), std::string(30, '-').c_str(),
              std::string(34, '-').c_str());
}

void Table::Row(const std::string& measure, const std::string& value, const std::string& target) {
  std::printf("| %-48s | %28s | %-32s |\n", measure.c_str(), value.c_str(), target.c_str());
  std::fflush(stdout);  // a row at a time: the run is long, and a crash keeps what came before
}

void Table::GivenRow(std::string_view row) {
  const std::size_t first = row.find('|');
  const std::size_t second = first == std::string_view::npos ? first : row.find('|', first + 1);
  if (second == std::string_view::npos) {
    Row(std::string(row), "", "");
    return;
  }
  Row(std::string(row.substr(0, first)), std::string(row.substr(first + 1, second - first - 1)),
      std::string(row.substr(second + 1)));
}

void Table::Section(const std::string& name, const std::function<void(Table&)>& section) {
  try {
    section(*this);
  } catch (const std::exception& failure) {
    Row(name + ": FAILED", "", failure.what());
    ++failed_;
  }
}

std::string Format(const char* format, ...) {
  char text[128] = {};
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1.0 : values[values.size() / 2];
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string MedianMs(const std::vector<double>& seconds) {
  return Format("%.0f ms", 1e3 * Median(seconds));
}

std::string SpreadMs(const std::vector<double>& seconds) {
  if (seconds.empty()) {
    return "(no runs)";
  }
  const auto [low, high] = std::minmax_element(seconds.begin(), seconds.end());
  return Format("(%zu runs: %.0f to %.0f ms)", seconds.size(), 1e3 * *low, 1e3 * *high);
}

}  // namespace bench
