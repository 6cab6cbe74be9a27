#include "core/decimal_comma.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "core/errors.h"

namespace qeb::core {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the shape before from_chars sees it: from_chars would take "inf", "nan" and hex digits.
bool HasDecimalShape(std::string_view t) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == ',') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == t.size();
}

// Powers of ten up to the digits a long double holds exactly; each of them is exact as well.
constexpr int kExactDigits = std::numeric_limits<long double>::digits10;
constexpr auto kPowersOfTen = [] {
    std::array<long double, kExactDigits + 1> powers{};
    long double power = 1;
    for (long double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The texts the device and the editors write are a few digits with a comma. Their value is the
// digits as a whole number over a power of ten; with both exact, the one division is correctly
// rounded, which is what the general conversion gives too, at a small part of its cost (it goes
// through the C library with a locale switch). Longer texts and exponents are left to it.
// `t` has passed HasDecimalShape.
std::optional<long double> PlainDecimalValue(std::string_view t) {
    const bool negative = t.front() == '-';
    if (negative || t.front() == '+') {
        t.remove_prefix(1);
    }
    unsigned long long whole = 0;
    int digits = 0;
    int fractionDigits = 0;
    bool inFraction = false;
    for (const char c : t) {
        if (c == ',') {
            inFraction = true;
            continue;
        }
        if (!IsDigit(c) || ++digits > kExactDigits) {
            return std::nullopt;
        }
        whole = whole * 10 + static_cast<unsigned long long>(c - '0');
        fractionDigits += inFraction ? 1 : 0;
    }
    const long double value =
        static_cast<long double>(whole) / kPowersOfTen[static_cast<std::size_t>(fractionDigits)];
    return negative ? -value : value;
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

}  // namespace

long double ParseDecimal(std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    if (!HasDecimalShape(t)) {
        throw ConversionError(Quoted(text) + " is not a valid floating point value");
    }
    if (const auto plain = PlainDecimalValue(t)) {
        return *plain;
    }
    std::string withPoint(t.front() == '+' ? t.substr(1) : t);
    for (char& c : withPoint) {
        if (c == ',') {
            c = '.';
        }
    }
    long double value = 0;
    const auto [end, ec] =
        std::from_chars(withPoint.data(), withPoint.data() + withPoint.size(), value);
    if (ec != std::errc() || end != withPoint.data() + withPoint.size() || !std::isfinite(value)) {
        throw ConversionError(Quoted(text) + " is not a valid floating point value");
    }
    return value;
}

long long ParseInteger(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
        if (!t.empty() && t.front() == '-') {
            t = {};
        }
    }
    long long value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) {
        throw ConversionError(Quoted(text) + " is not a valid integer value");
    }
    return value;
}

std::string FormatGeneral(long double value) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

std::string FormatHundredths(long double value) {
    // Beyond this the hundredths do not fit the whole number they are counted in (a noisy line
    // can make "9e99" of a field); negating the overflowed count would be undefined.
    constexpr long double kLimitCents = 9.2e18L;
    const long double scaled = value * 100.0L;
    if (!(std::fabs(scaled) < kLimitCents)) {
        throw ConversionError(Quoted(FormatGeneral(value)) + " is too large to show");
    }
    const long long cents = std::llround(scaled);
    const long long magnitude = cents < 0 ? -cents : cents;
    std::string text = cents < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    text += ',';
    const long long fraction = magnitude % 100;
    text += static_cast<char>('0' + fraction / 10);
    text += static_cast<char>('0' + fraction % 10);
    return text;
}

}  // namespace qeb::core
