#pragma once

#include <string>
#include <string_view>

// Numbers as the device, the editors and the files write them: decimal comma, never the
// process locale (Qt calls setlocale() from the environment, which would change strtold/printf).
namespace qeb::core {

// Leading and trailing blanks are allowed, a sign, digits with an optional comma fraction and an
// optional exponent. A point is not a decimal separator here. Throws ConversionError.
long double ParseDecimal(std::string_view text);

// Leading and trailing blanks and a sign are allowed; nothing else but digits.
// Throws ConversionError, also when the value does not fit.
long long ParseInteger(std::string_view text);

// Shortest text with at most 15 significant digits, decimal comma, no trailing zeros:
// 6.7 -> "6,7", 7 -> "7".
std::string FormatGeneral(long double value);

// The value rounded to hundredths, always with two decimals: 7 -> "7,00", 11.3 -> "11,30".
// Throws ConversionError for a value too large to count in hundredths (or not finite).
std::string FormatHundredths(long double value);

}  // namespace qeb::core
