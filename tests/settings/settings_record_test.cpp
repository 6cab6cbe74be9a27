#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/decimal_comma.h"
#include "core/errors.h"

namespace qeb::settings {
namespace {

// The editors hand over the numbers in their texts; build the values the same way.
SettingsValues FromTexts(const char* phMin, const char* phMax, const char* alarm, const char* kh,
                         const char* brightness, const char* contrast) {
    return {core::ParseDecimal(phMin),      core::ParseDecimal(phMax),
            core::ParseDecimal(alarm),      core::ParseDecimal(kh),
            core::ParseDecimal(brightness), core::ParseDecimal(contrast)};
}

std::vector<std::string> FileFields(const SettingsRecord& record) {
    std::vector<std::string> fields;
    for (int i = 0; i < SettingsRecord::kFileFieldCount; ++i) {
        fields.push_back(record.Field(i));
    }
    return fields;
}

TEST(SettingsRecord, BuiltFromEditorValues) {
    using Fields = std::vector<std::string>;
    const struct {
        const char* shows;
        SettingsValues values;
        Fields fields;
    } cases[] = {
        {"factory defaults",
         FromTexts("6,90", "7,10", "0,20", "0", "100", "14"),
         {"100", "14", "7", "10", "6", "90", "20", "0", "0", "0"}},
        {"hundredths below ten have no leading zero",
         FromTexts("6,05", "7,01", "0,05", "4", "5", "0"),
         {"5", "0", "7", "1", "6", "5", "5", "4", "0", "0"}},
        {"alarm 0,25",
         FromTexts("6,90", "7,10", "0,25", "0", "100", "14"),
         {"100", "14", "7", "10", "6", "90", "25", "0", "0", "0"}},
        {"alarm 0,53 lies below 53 in binary and is still 53",
         FromTexts("6,90", "7,10", "0,53", "0", "100", "14"),
         {"100", "14", "7", "10", "6", "90", "53", "0", "0", "0"}},
        {"alarm 1,05 and 2,50",
         FromTexts("4,00", "8,80", "1,05", "20", "0", "25"),
         {"0", "25", "8", "80", "4", "0", "105", "20", "0", "0"}},
        {"range edges",
         FromTexts("8,70", "4,10", "2,50", "20", "100", "25"),
         {"100", "25", "4", "10", "8", "70", "250", "20", "0", "0"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileFields(BuildSettingsRecord(c.values)), c.fields) << c.shows;
    }
}

// Every value the editors can hold must reach the device as the hundredths the user saw.
TEST(SettingsRecord, EveryEditorHundredthIsExact) {
    for (int cents = 0; cents <= 880; ++cents) {
        const std::string text = std::to_string(cents / 100) + "," + (cents % 100 < 10 ? "0" : "") +
                                 std::to_string(cents % 100);
        const long double value = core::ParseDecimal(text);
        const SettingsRecord record =
            BuildSettingsRecord({value, value, cents <= 250 ? value : 0, 0, 0, 0});
        EXPECT_EQ(record.PHminWhole, std::to_string(cents / 100)) << text;
        EXPECT_EQ(record.PHminCents, std::to_string(cents % 100)) << text;
        EXPECT_EQ(record.PHmaxCents, std::to_string(cents % 100)) << text;
        if (cents <= 250) {
            EXPECT_EQ(record.AlarmCents, std::to_string(cents)) << text;
        }
    }
}

TEST(SettingsRecord, BuildKeepsCommandCodeAndSetsSpares) {
    SettingsRecord record;
    record.Spare1 = "7";
    record.Spare2 = "008";
    record.CommandCode = "11";
    BuildSettingsRecord(kFactorySettings, record);
    EXPECT_EQ(record.Spare1, "0");
    EXPECT_EQ(record.Spare2, "0");
    EXPECT_EQ(record.CommandCode, "11");
}

TEST(RefreshStatus, WritesTheSettingsAsTheDeviceReportsThem) {
    link::StatusFrame status;
    status.PH = "7,05";
    status.PPM = "25,3";
    SettingsRecord record = BuildSettingsRecord(FromTexts("6,05", "7,10", "0,20", "3", "5", "14"));
    RefreshStatusFromSettings(record, status);
    EXPECT_EQ(status.PHmin, "6,05");
    EXPECT_EQ(status.PHmax, "7,10");
    EXPECT_EQ(status.Alarm, "20");
    EXPECT_EQ(status.KH, "3");
    EXPECT_EQ(status.Brightness, "5");
    EXPECT_EQ(status.Contrast, "14");
    EXPECT_EQ(status.PH, "7,05") << "fields that are not settings stay";
    EXPECT_EQ(status.PPM, "25,3");
}

TEST(RefreshStatus, LeadingZerosOfTheSentFieldsAreDropped) {
    SettingsRecord record{"005", "014", "007", "010", "006", "005",
                          "020", "000", "000", "000", "11"};
    link::StatusFrame status;
    RefreshStatusFromSettings(record, status);
    EXPECT_EQ(status.PHmin, "6,05");
    EXPECT_EQ(status.PHmax, "7,10");
    EXPECT_EQ(status.Alarm, "20");
    EXPECT_EQ(status.KH, "0");
    EXPECT_EQ(status.Brightness, "5");
    EXPECT_EQ(status.Contrast, "14");
}

TEST(RefreshStatus, FieldThatIsNotANumberLeavesTheStatusWhole) {
    SettingsRecord record = BuildSettingsRecord(kFactorySettings);
    record.Contrast = "x";
    link::StatusFrame status;
    status.PHmin = "5,00";
    EXPECT_THROW(RefreshStatusFromSettings(record, status), core::ConversionError);
    EXPECT_EQ(status.PHmin, "5,00");
}

TEST(SettingsFromStatus, ReadsTheReportedSettings) {
    link::StatusFrame status;
    status.PHmin = "6,05";
    status.PHmax = "7,10";
    status.Alarm = "35";
    status.KH = "4";
    status.Brightness = "100";
    status.Contrast = "14";
    const SettingsValues values = SettingsFromStatus(status);
    EXPECT_EQ(values.PHmin, core::ParseDecimal("6,05"));
    EXPECT_EQ(values.PHmax, core::ParseDecimal("7,10"));
    EXPECT_EQ(values.Alarm, 35.0L / 100);
    EXPECT_EQ(values.KH, 4);
    EXPECT_EQ(values.Brightness, 100);
    EXPECT_EQ(values.Contrast, 14);
}

TEST(SettingsFromStatus, AnyFieldThatIsNotANumberFails) {
    link::StatusFrame good;
    good.PHmin = "6,90";
    good.PHmax = "7,10";
    good.Alarm = "20";
    good.KH = "0";
    good.Brightness = "100";
    good.Contrast = "14";
    EXPECT_NO_THROW(SettingsFromStatus(good));
    EXPECT_THROW(SettingsFromStatus(link::StatusFrame{}), core::ConversionError)
        << "no frame has arrived yet";
    for (std::string link::StatusFrame::*field :
         {&link::StatusFrame::PHmin, &link::StatusFrame::PHmax, &link::StatusFrame::Alarm,
          &link::StatusFrame::KH, &link::StatusFrame::Brightness, &link::StatusFrame::Contrast}) {
        link::StatusFrame status = good;
        status.*field = "";
        EXPECT_THROW(SettingsFromStatus(status), core::ConversionError);
    }
}

TEST(SettingsFromRecord, WholeNumbersMakeTheEditorValues) {
    const SettingsRecord record{"100", "14", "7", "10", "6", "5", "35", "4", "0", "0", ""};
    const SettingsValues values = SettingsFromRecord(record);
    EXPECT_EQ(values.PHmin, 6 + 5.0L / 100);
    EXPECT_EQ(values.PHmax, 7 + 10.0L / 100);
    EXPECT_EQ(values.Alarm, 35.0L / 100);
    EXPECT_EQ(values.KH, 4);
    EXPECT_EQ(values.Brightness, 100);
    EXPECT_EQ(values.Contrast, 14);

    SettingsRecord decimal = record;
    decimal.PHmaxCents = "1,5";
    EXPECT_THROW(SettingsFromRecord(decimal), core::ConversionError);
}

}  // namespace
}  // namespace qeb::settings
