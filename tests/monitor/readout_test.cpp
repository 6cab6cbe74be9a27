#include "monitor/readout.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace qeb::monitor {
namespace {

link::StatusFrame Frame() {
    return {"7,05", "6,90", "7,10", "25,3", "4", "20", "1", "0", "100", "14", " ", "-"};
}

link::StatusFrame With(std::string link::StatusFrame::*field, std::string value,
                       link::StatusFrame frame = Frame()) {
    frame.*field = std::move(value);
    return frame;
}

// Texts that a row leaves as "" are not checked.
struct ReadoutCase {
    const char* what;
    link::StatusFrame frame;
    std::string ph, storedPh, ppm, kh, lowerLimit, upperLimit;
    bool o2, co2;
};

TEST(Readout, AcceptedFramesGiveTheseTexts) {
    using F = link::StatusFrame;
    const ReadoutCase cases[] = {
        {"ordinary frame", Frame(), "7.05", "7.05", "25,3", "04", "6,70", "7,30", true, false},
        {"9 with CO2 off is over 10", With(&F::PH, "9,12"), ">10", ">10", "", "", "", "", true,
         false},
        {"9 with CO2 on is a reading", With(&F::OutCO2, "1", With(&F::PH, "9,12")), "9.12", "9.12",
         "", "", "", "", true, true},
        {"one-digit ppm gets a zero", With(&F::PPM, "5,3"), "", "", "05,3", "", "", "", true,
         false},
        {"100 ppm is the top of the scale", With(&F::PPM, "100"), "", "", ">100!", "", "", "", true,
         false},
        {"no CO2 and no KH", With(&F::KH, "0", With(&F::PPM, "0")), "", "", "--.-", "--", "", "",
         true, false},
        {"no CO2 with KH", With(&F::PPM, "0"), "", "", "00.0", "04", "", "", true, false},
        {"two-digit KH", With(&F::KH, "12"), "", "", "", "12", "", "", true, false},
        {"alarm 25", With(&F::Alarm, "25"), "", "", "", "", "6,65", "7,35", true, false},
        // Whole-number and longer limits still show, in two decimals.
        {"whole lower limit", With(&F::Alarm, "10", With(&F::PHmin, "7,10")), "", "", "", "",
         "7,00", "7,20", true, false},
        {"upper limit over ten", With(&F::Alarm, "250", With(&F::PHmax, "8,80")), "", "", "", "",
         "4,40", "11,30", true, false},
        {"outputs swap", With(&F::OutCO2, "1", With(&F::OutO2, "0")), "", "", "", "", "", "", false,
         true},
    };
    for (const auto& c : cases) {
        Readout readout;
        link::StatusFrame frame = c.frame;
        ShowStatus(frame, readout);
        const auto check = [&](const std::string& expected, const std::string& actual,
                               const char* name) {
            if (!expected.empty()) {
                EXPECT_EQ(actual, expected) << c.what << ": " << name;
            }
        };
        check(c.ph, readout.Label7.text, "Label7");
        check(c.storedPh, frame.PH, "stored PH");
        check(c.ppm, readout.Label11.text, "Label11");
        check(c.kh, readout.Label12.text, "Label12");
        check(c.lowerLimit, readout.Label17.text, "Label17");
        check(c.upperLimit, readout.Label23.text, "Label23");
        EXPECT_EQ(readout.Label8.text, frame.PHmin) << c.what;
        EXPECT_EQ(readout.Label9.text, frame.PHmax) << c.what;
        EXPECT_EQ(readout.Image2Visible, c.o2) << c.what;
        EXPECT_EQ(readout.Image1Visible, c.co2) << c.what;
        for (const ReadoutLabel* label :
             {&readout.Label7, &readout.Label8, &readout.Label9, &readout.Label10, &readout.Label11,
              &readout.Label12, &readout.Label17, &readout.Label23}) {
            EXPECT_TRUE(label->visible) << c.what;
        }
        EXPECT_TRUE(readout.Image4Visible) << c.what;
    }
}

TEST(Readout, ElementsNoRuleReachesKeepTheirTexts) {
    Readout readout;
    auto first = Frame();
    ShowStatus(first, readout);  // 25,3 ppm, KH 04, limits 6,70 / 7,30

    // KH "0" with ppm shown: KH keeps 04. PPM "7" matches no form: keeps 25,3. KH of three
    // characters skips the limits. An output state other than 0/1 keeps the picture.
    auto second = With(&link::StatusFrame::OutO2, "X", With(&link::StatusFrame::PPM, "7"));
    second.KH = "0";
    ShowStatus(second, readout);
    EXPECT_EQ(readout.Label11.text, "25,3");
    EXPECT_EQ(readout.Label12.text, "04");
    EXPECT_TRUE(readout.Image2Visible);

    auto third = With(&link::StatusFrame::KH, "100", With(&link::StatusFrame::Alarm, "50"));
    ShowStatus(third, readout);
    EXPECT_EQ(readout.Label12.text, "100");
    EXPECT_EQ(readout.Label17.text, "6,70");
    EXPECT_EQ(readout.Label23.text, "7,30");

    auto fourth = With(&link::StatusFrame::Alarm, "2,5");  // a comma in Alarm skips the limits
    ShowStatus(fourth, readout);
    EXPECT_EQ(readout.Label17.text, "6,70");
}

TEST(Readout, AConversionFailureStopsAtTheFailingStep) {
    Readout readout;
    auto good = Frame();
    ShowStatus(good, readout);

    // KH is not a number: pH and ppm are already shown, limits and outputs are not reached.
    auto badKh = With(&link::StatusFrame::KH, "X", With(&link::StatusFrame::PH, "6,60"));
    badKh.PPM = "30,1";
    badKh.OutO2 = "0";
    EXPECT_THROW(ShowStatus(badKh, readout), core::ConversionError);
    EXPECT_EQ(readout.Label7.text, "6.60");
    EXPECT_EQ(readout.Label11.text, "30,1");
    EXPECT_EQ(readout.Label12.text, "04");
    EXPECT_TRUE(readout.Image2Visible);

    auto badAlarm = With(&link::StatusFrame::Alarm, "ab");
    badAlarm.OutO2 = "0";
    EXPECT_THROW(ShowStatus(badAlarm, readout), core::ConversionError);
    EXPECT_TRUE(readout.Image2Visible);

    // A number, but one whose limits cannot be counted in hundredths: the limits keep the last
    // texts they had.
    auto hugeAlarm = With(&link::StatusFrame::Alarm, "9e99");
    EXPECT_THROW(ShowStatus(hugeAlarm, readout), core::ConversionError);
    EXPECT_EQ(readout.Label17.text, "6,70");
    EXPECT_EQ(readout.Label23.text, "7,30");
}

TEST(Readout, ZerosAndHiding) {
    Readout readout;
    auto frame = Frame();
    ShowStatus(frame, readout);
    ShowZeros(readout);
    for (const ReadoutLabel* label : {&readout.Label7, &readout.Label8, &readout.Label9,
                                      &readout.Label11, &readout.Label17, &readout.Label23}) {
        EXPECT_EQ(label->text, "0.00");
        EXPECT_TRUE(label->visible);
    }
    EXPECT_EQ(readout.Label12.text, "00");

    HideReadout(readout);
    for (const ReadoutLabel* label :
         {&readout.Label7, &readout.Label8, &readout.Label9, &readout.Label10, &readout.Label11,
          &readout.Label12, &readout.Label17, &readout.Label23}) {
        EXPECT_FALSE(label->visible);
    }
    EXPECT_FALSE(readout.Image4Visible);
    // The output pictures are not part of hiding.
    EXPECT_TRUE(readout.Image2Visible);

    Readout hidden;
    ShowZeros(hidden);  // zeros do not make anything visible
    EXPECT_FALSE(hidden.Label7.visible);
}

}  // namespace
}  // namespace qeb::monitor
