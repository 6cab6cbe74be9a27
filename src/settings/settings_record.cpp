#include "settings/settings_record.h"

#include <cmath>

#include "core/decimal_comma.h"

namespace qeb::settings {
namespace {

constexpr long double kCentsPerUnit = 100;

std::string WholeText(long double value) {
    return std::to_string(static_cast<long long>(std::trunc(value)));
}

// Nearest whole number, ties to even.
std::string RoundedText(long double value) {
    long double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5L && std::fmod(rounded, 2.0L) != 0) {
        rounded -= std::copysign(1.0L, value);
    }
    return std::to_string(static_cast<long long>(rounded));
}

std::string CentsText(long double value) {
    return RoundedText((value - std::trunc(value)) * kCentsPerUnit);
}

std::string NumberText(const std::string& field) {
    return std::to_string(core::ParseInteger(field));
}

// "6" and "5" give "6,05": the hundredths always in two digits.
std::string PhText(const std::string& whole, const std::string& cents) {
    const long long hundredths = core::ParseInteger(cents);
    std::string text = NumberText(whole) + ",";
    if (hundredths >= 0 && hundredths < 10) {
        text += "0";
    }
    return text + std::to_string(hundredths);
}

// The device writes pH as "6,90"; a point or anything else in the second place reads as a comma.
long double PhValue(std::string text) {
    if (text.size() >= 2) {
        text[1] = ',';
    }
    return core::ParseDecimal(text);
}

}  // namespace

void BuildSettingsRecord(const SettingsValues& values, SettingsRecord& record) {
    record.Brightness = WholeText(values.Brightness);
    record.Contrast = WholeText(values.Contrast);
    record.PHmaxWhole = WholeText(values.PHmax);
    record.PHmaxCents = CentsText(values.PHmax);
    record.PHminWhole = WholeText(values.PHmin);
    record.PHminCents = CentsText(values.PHmin);
    record.AlarmCents = RoundedText(values.Alarm * kCentsPerUnit);
    record.KH = WholeText(values.KH);
    record.Spare1 = "0";
    record.Spare2 = "0";
}

SettingsRecord BuildSettingsRecord(const SettingsValues& values) {
    SettingsRecord record;
    BuildSettingsRecord(values, record);
    return record;
}

void RefreshStatusFromSettings(const SettingsRecord& record, link::StatusFrame& status) {
    // Everything is converted before the status changes, so a bad field leaves it whole.
    link::StatusFrame refreshed = status;
    refreshed.PHmin = PhText(record.PHminWhole, record.PHminCents);
    refreshed.PHmax = PhText(record.PHmaxWhole, record.PHmaxCents);
    refreshed.KH = NumberText(record.KH);
    refreshed.Alarm = NumberText(record.AlarmCents);
    refreshed.Brightness = NumberText(record.Brightness);
    refreshed.Contrast = NumberText(record.Contrast);
    status = std::move(refreshed);
}

SettingsValues SettingsFromStatus(const link::StatusFrame& status) {
    SettingsValues values;
    values.PHmin = PhValue(status.PHmin);
    values.PHmax = PhValue(status.PHmax);
    values.Alarm = core::ParseDecimal(status.Alarm) / kCentsPerUnit;
    values.KH = core::ParseDecimal(status.KH);
    values.Brightness = core::ParseDecimal(status.Brightness);
    values.Contrast = core::ParseDecimal(status.Contrast);
    return values;
}

SettingsValues SettingsFromRecord(const SettingsRecord& record) {
    const auto whole = [](const std::string& field) {
        return static_cast<long double>(core::ParseInteger(field));
    };
    SettingsValues values;
    values.PHmin = whole(record.PHminWhole) + whole(record.PHminCents) / kCentsPerUnit;
    values.PHmax = whole(record.PHmaxWhole) + whole(record.PHmaxCents) / kCentsPerUnit;
    values.Alarm = whole(record.AlarmCents) / kCentsPerUnit;
    values.KH = whole(record.KH);
    values.Brightness = whole(record.Brightness);
    values.Contrast = whole(record.Contrast);
    return values;
}

}  // namespace qeb::settings
