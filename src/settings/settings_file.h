#pragma once

#include <QString>
#include <cstddef>

#include "core/sleeper.h"
#include "link/frame_receiver.h"
#include "settings/settings_record.h"

namespace qeb::settings {

// A real settings file is about 30 bytes; anything much larger is not one, and its lines would
// each cost a pause.
inline constexpr qint64 kSettingsFileLimitBytes = 4096;
// The editors need fields 1-8.
inline constexpr int kSettingsFileMinLines = 8;
// The pause after each line written or read, as the controller's own tools did.
inline constexpr int kSettingsLinePauseMs = 1;

// Writes fields 1-10 of `record`, one per CR LF line, replacing the file. Throws core::FileError.
void SaveSettingsFile(const QString& path, const SettingsRecord& record, core::Sleeper& sleeper);

// Reads and checks the whole file first: a file that cannot be read, is larger than
// kSettingsFileLimitBytes, has fewer than kSettingsFileMinLines lines or holds a line the editors
// need that is not a whole number is refused with core::FileError or core::ConversionError, and
// nothing has changed. Otherwise the receive buffer is reset and gets every line of the file,
// fields 1-10 of `record` get the first ten lines, and the settings for the editors are returned.
SettingsValues LoadSettingsFile(const QString& path, SettingsRecord& record,
                                link::FrameReceiver& receiver, core::Sleeper& sleeper);

}  // namespace qeb::settings
