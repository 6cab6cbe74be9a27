#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/settings_record.h"

namespace qeb::link {

// Everything the program tells the controller is one of these 32 digits, with no line end and no
// reply; the device answers only through its later status frames.
inline constexpr std::size_t kCommandLengthChars = 32;
inline constexpr std::string_view kFactoryResetCommand = "22222222222222222222222222222222";
inline constexpr std::string_view kRestartCommand = "33333333333333333333333333333333";
inline constexpr std::string_view kSettingsCommandCode = "11";
inline constexpr std::size_t kSettingsFieldDigits = 3;

// Sets the command code, left-pads fields 1-10 with zeros to three digits in place (the record
// keeps the padded values until it is rebuilt) and returns the 32-character settings command.
// A field that is not one to three digits would shift every later field on the device, so it is
// refused with core::ConversionError before the record changes.
std::string SettingsCommand(settings::SettingsRecord& record);

}  // namespace qeb::link
