#include "core/decimal_comma.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/errors.h"

namespace qeb::core {
namespace {

struct ParseCase {
    const char* text;
    long double expected;
};

TEST(DecimalComma, ParsesDeviceAndEditorTexts) {
    const ParseCase cases[] = {
        {"6,90", 6.9L},  {"7", 7.0L},    {"25,3", 25.3L},   {"-0,5", -0.5L},
        {" 14 ", 14.0L}, {"+2,5", 2.5L}, {"1,5E2", 150.0L}, {",5", 0.5L},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.expected) << c.text;
    }
}

// The value the general conversion gives for a text with a comma, bit for bit.
long double GeneralConversion(std::string text) {
    for (char& c : text) {
        c = c == ',' ? '.' : c;
    }
    const char* begin = text.data() + (text.front() == '+' ? 1 : 0);
    long double value = 0;
    std::from_chars(begin, text.data() + text.size(), value);
    return value;
}

bool SameBits(long double a, long double b) {
    return std::memcmp(&a, &b, std::numeric_limits<long double>::digits > 53 ? 10 : sizeof a) == 0;
}

TEST(DecimalComma, EveryPlainTextGivesTheCorrectlyRoundedValue) {
    std::vector<std::string> texts{"0",    "-0", "0,1", "0,3",  "6,95",  "0,53",
                                   "1,05", "99", ",07", "+4,5", "-7,10", "000000000000000001,5"};
    for (int hundredths = 0; hundredths < 10000; ++hundredths) {
        const std::string digits = std::to_string(hundredths);
        texts.push_back(digits.substr(0, digits.size() / 2) + "," +
                        digits.substr(digits.size() / 2));
    }
    // Long texts, some beyond the digits a long double holds exactly, the comma anywhere.
    std::mt19937_64 random(20161001);
    for (int i = 0; i < 20000; ++i) {
        const auto length = static_cast<std::size_t>(1 + random() % 24);
        std::string digits;
        for (std::size_t d = 0; d < length; ++d) {
            digits += static_cast<char>('0' + random() % 10);
        }
        digits.insert(static_cast<std::size_t>(random() % (length + 1)), ",");
        texts.push_back((i % 3 == 0 ? "-" : "") + digits);
    }
    for (const std::string& text : texts) {
        if (text == "," || text == "-,") {
            continue;
        }
        const long double parsed = ParseDecimal(text);
        ASSERT_TRUE(SameBits(parsed, GeneralConversion(text)))
            << text << ": " << static_cast<double>(parsed);
    }
}

TEST(DecimalComma, NonNumbersRaiseAConversionErrorNamingTheText) {
    for (const char* text :
         {"", " ", "7.05", "abc", "1,2,3", "inf", "nan", "0x10", "1e", "--1", "6,9x", "+-1"}) {
        try {
            ParseDecimal(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_NE(std::string(error.what()).find("'" + std::string(text) + "'"),
                      std::string::npos)
                << error.what();
        }
    }
}

TEST(DecimalComma, IntegersAcceptDigitsAndSignOnly) {
    EXPECT_EQ(ParseInteger("4"), 4);
    EXPECT_EQ(ParseInteger(" 12"), 12);
    EXPECT_EQ(ParseInteger("-3"), -3);
    EXPECT_EQ(ParseInteger("+100"), 100);
    for (const char* text : {"", "4,0", "1 2", "x", "99999999999999999999", "+-1", "0x1"}) {
        EXPECT_THROW(ParseInteger(text), ConversionError) << text;
    }
}

TEST(DecimalComma, GeneralFormHasCommaAndNoTrailingZeros) {
    EXPECT_EQ(FormatGeneral(6.7L), "6,7");
    EXPECT_EQ(FormatGeneral(7.0L), "7");
    EXPECT_EQ(FormatGeneral(6.9L - 0.2L), "6,7");
    EXPECT_EQ(FormatGeneral(7.1L + 0.25L), "7,35");
    EXPECT_EQ(FormatGeneral(1.0L / 3.0L), "0,333333333333333");
}

TEST(DecimalComma, HundredthsAlwaysShowTwoDecimals) {
    EXPECT_EQ(FormatHundredths(7.0L), "7,00");
    EXPECT_EQ(FormatHundredths(11.3L), "11,30");
    EXPECT_EQ(FormatHundredths(10.05L), "10,05");
    EXPECT_EQ(FormatHundredths(6.9L - 0.25L), "6,65");
    EXPECT_EQ(FormatHundredths(-3.09L), "-3,09");
    EXPECT_EQ(FormatHundredths(9e15L), "9000000000000000,00");
    for (long double tooLarge : {9e99L, -9e99L, 1e17L, HUGE_VALL}) {
        EXPECT_THROW(FormatHundredths(tooLarge), ConversionError) << static_cast<double>(tooLarge);
    }
}

TEST(DecimalComma, ProcessLocaleDoesNotMatter) {
    // A locale whose decimal separator is the comma would turn a printf-based parser inside out.
    const char* chosen = std::setlocale(LC_NUMERIC, "pl_PL.UTF-8");
    if (chosen == nullptr) {
        chosen = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    }
    EXPECT_EQ(ParseDecimal("6,90"), 6.9L);
    EXPECT_EQ(FormatGeneral(6.7L), "6,7");
    std::setlocale(LC_NUMERIC, "C");
    if (chosen == nullptr) {
        GTEST_SKIP() << "no comma locale installed to switch to";
    }
}

}  // namespace
}  // namespace qeb::core
