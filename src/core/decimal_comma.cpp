#include "core/decimal_comma.h"

#include <charconv>
#include <cmath>
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

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

}  // namespace

long double ParseDecimal(std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    if (!HasDecimalShape(t)) {
        throw ConversionError(Quoted(text) + " is not a valid floating point value");
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
    const long long cents = std::llround(value * 100.0L);
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
