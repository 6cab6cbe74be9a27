#include "core/decimal_comma.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

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
