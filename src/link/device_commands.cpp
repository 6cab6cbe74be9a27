#include "link/device_commands.h"

#include <algorithm>

#include "core/errors.h"

namespace qeb::link {
namespace {

bool FitsField(const std::string& field) {
    return !field.empty() && field.size() <= kSettingsFieldDigits &&
           std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string SettingsCommand(settings::SettingsRecord& record) {
    for (int i = 0; i < settings::SettingsRecord::kFileFieldCount; ++i) {
        const std::string& field = record.Field(i);
        if (!FitsField(field)) {
            throw core::ConversionError("'" + field + "' is not a valid settings value");
        }
    }
    record.CommandCode = kSettingsCommandCode;
    std::string command;
    command.reserve(kCommandLengthChars);
    for (int i = 0; i < settings::SettingsRecord::kFileFieldCount; ++i) {
        std::string& field = record.Field(i);
        field.insert(0, kSettingsFieldDigits - field.size(), '0');
        command += field;
    }
    command += record.CommandCode;
    return command;
}

}  // namespace qeb::link
