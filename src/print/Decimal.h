#pragma once
#include <optional>
#include <string>
#include <string_view>

// Decimal numbers of margins and column widths, independent of the process's locale. Either "." or ","
// is taken as the decimal separator, so texts typed under a Polish or an English locale both read;
// surrounding blanks are allowed. Anything else, and infinities or NaN, give nothing.
std::optional<double> ParseDecimal(std::string_view text);

// Fixed notation with two decimals, "." as the separator: "160.00".
std::string FormatFixed2(double value);
