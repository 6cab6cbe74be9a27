#pragma once

#include <array>
#include <string>

#include "link/status_frame.h"

namespace qeb::settings {

// The six settings as the editors hold them, in extended precision.
struct SettingsValues {
    long double PHmin = 0;
    long double PHmax = 0;
    long double Alarm = 0;  // margin in pH units
    long double KH = 0;
    long double Brightness = 0;
    long double Contrast = 0;

    bool operator==(const SettingsValues&) const = default;
};

// What the controller starts with after a factory reset; also the editors' first values.
inline constexpr SettingsValues kFactorySettings{6.9L, 7.1L, 0.2L, 0, 100, 14};

// The eleven text fields through which settings travel: fields 1-10 are the lines of a settings
// file, fields 1-11 the parts of the settings command.
struct SettingsRecord {
    std::string Brightness;
    std::string Contrast;
    std::string PHmaxWhole;
    std::string PHmaxCents;
    std::string PHminWhole;
    std::string PHminCents;
    std::string AlarmCents;
    std::string KH;
    std::string Spare1;
    std::string Spare2;
    std::string CommandCode;  // set only when sending

    static constexpr int kFieldCount = 11;
    static constexpr int kFileFieldCount = 10;

    // Field 1 is index 0.
    std::string& Field(int index) { return this->*kFields.at(static_cast<std::size_t>(index)); }
    const std::string& Field(int index) const {
        return this->*kFields.at(static_cast<std::size_t>(index));
    }

    bool operator==(const SettingsRecord&) const = default;

private:
    static constexpr std::array kFields = {
        &SettingsRecord::Brightness, &SettingsRecord::Contrast,    &SettingsRecord::PHmaxWhole,
        &SettingsRecord::PHmaxCents, &SettingsRecord::PHminWhole,  &SettingsRecord::PHminCents,
        &SettingsRecord::AlarmCents, &SettingsRecord::KH,          &SettingsRecord::Spare1,
        &SettingsRecord::Spare2,     &SettingsRecord::CommandCode,
    };
};

// Fields 1-10 from the editors' values; the spares become "0", the command code stays as it was.
// Whole parts are truncated; hundredths are rounded to the nearest, so that 0,53 is 53 although
// 0,53 x 100 lies just below 53 in binary.
void BuildSettingsRecord(const SettingsValues& values, SettingsRecord& record);
SettingsRecord BuildSettingsRecord(const SettingsValues& values);

// Makes the cached status report what was just sent, loaded or saved, so that a fetch before the
// device's next frame gives it back. Throws core::ConversionError when a field is not a number.
void RefreshStatusFromSettings(const SettingsRecord& record, link::StatusFrame& status);

// The settings the device reported in `status`, every field converted before any is used.
// Throws core::ConversionError for the first field that is not a number.
SettingsValues SettingsFromStatus(const link::StatusFrame& status);

// The settings held by fields 1-8 of a record read from a file (whole numbers only).
// Throws core::ConversionError for the first field that is not a whole number.
SettingsValues SettingsFromRecord(const SettingsRecord& record);

}  // namespace qeb::settings
