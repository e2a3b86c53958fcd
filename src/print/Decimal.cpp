#include "print/Decimal.h"

#include <charconv>
#include <cmath>

std::optional<double> ParseDecimal(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::string s(text);
  for (char& c : s)
    if (c == ',') c = '.';
  // from_chars takes no leading "+", which people type.
  std::string_view v = s;
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  if (v.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != v.data() + v.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatFixed2(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  if (error != std::errc()) return "0.00";
  return std::string(buffer, end);
}
