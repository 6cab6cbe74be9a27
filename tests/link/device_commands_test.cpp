#include "link/device_commands.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace qeb::link {
namespace {

settings::SettingsRecord Record(long double phMin, long double phMax, long double alarm,
                                long double kh, long double brightness, long double contrast) {
    return settings::BuildSettingsRecord({phMin, phMax, alarm, kh, brightness, contrast});
}

TEST(DeviceCommands, SettingsCommandIsPaddedFieldByField) {
    const struct {
        const char* shows;
        settings::SettingsRecord record;
        std::string command;
    } cases[] = {
        {"the example", Record(6.90L, 7.10L, 0.20L, 0, 100, 14),
         "10001400701000609002000000000011"},
        {"lower bound 4,05", Record(4.05L, 7.10L, 0.20L, 0, 100, 14),
         "10001400701000400502000000000011"},
        {"alarm 2,50, brightness 5, contrast 25", Record(6.90L, 7.10L, 2.50L, 20, 5, 25),
         "00502500701000609025002000000011"},
        {"all at their lowest", Record(4.00L, 4.10L, 0, 0, 0, 0),
         "00000000401000400000000000000011"},
    };
    for (auto c : cases) {
        const std::string command = SettingsCommand(c.record);
        EXPECT_EQ(command, c.command) << c.shows;
        EXPECT_EQ(command.size(), kCommandLengthChars) << c.shows;
    }
    settings::SettingsRecord record = Record(4.05L, 7.10L, 2.50L, 0, 5, 25);
    const std::string command = SettingsCommand(record);
    EXPECT_EQ(command.substr(12, 6), "004005");
    EXPECT_EQ(command.substr(18, 3), "250");
}

TEST(DeviceCommands, RecordKeepsThePaddedValues) {
    settings::SettingsRecord record = Record(6.05L, 7.10L, 0.20L, 4, 100, 14);
    SettingsCommand(record);
    EXPECT_EQ(record, (settings::SettingsRecord{"100", "014", "007", "010", "006", "005", "020",
                                                "004", "000", "000", "11"}));
    EXPECT_EQ(SettingsCommand(record), "10001400701000600502000400000011")
        << "padding twice changes nothing";
}

TEST(DeviceCommands, FieldThatWouldShiftTheMessageIsRefused) {
    for (const char* bad : {"1000", "", "-5", "1,5", " 7"}) {
        settings::SettingsRecord record = Record(6.90L, 7.10L, 0.20L, 0, 100, 14);
        record.KH = bad;
        const settings::SettingsRecord before = record;
        EXPECT_THROW(SettingsCommand(record), core::ConversionError) << "'" << bad << "'";
        EXPECT_EQ(record, before) << "'" << bad << "'";
    }
}

TEST(DeviceCommands, FixedMessages) {
    EXPECT_EQ(kFactoryResetCommand, std::string(32, '2'));
    EXPECT_EQ(kRestartCommand, std::string(32, '3'));
}

}  // namespace
}  // namespace qeb::link
