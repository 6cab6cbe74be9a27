#include "settings/settings_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace qeb::settings {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string Quoted(const QString& path) {
    return "\"" + QFileInfo(path).fileName().toStdString() + "\"";
}

[[noreturn]] void Refuse(const QString& path, const std::string& reason) {
    throw core::FileError("The file " + Quoted(path) + " is not a Qeb-01 settings file: " + reason);
}

// CR LF and a lone LF end a line; a last line without a line end still counts.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw core::FileError("Cannot open file " + Quoted(path) + ". " +
                              file.errorString().toStdString());
    }
    if (file.size() > kSettingsFileLimitBytes) {
        Refuse(path, "it is larger than 4 KiB");
    }
    // Read one byte past the limit, so that a file that grows while it is read is caught too.
    const QByteArray bytes = file.read(kSettingsFileLimitBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        throw core::FileError("Cannot read file " + Quoted(path) + ". " +
                              file.errorString().toStdString());
    }
    if (bytes.size() > kSettingsFileLimitBytes) {
        Refuse(path, "it is larger than 4 KiB");
    }
    return bytes.toStdString();
}

}  // namespace

void SaveSettingsFile(const QString& path, const SettingsRecord& record, core::Sleeper& sleeper) {
    // Written aside and put in place at the end, so that a failed save leaves the old file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw core::FileError("Cannot create file " + Quoted(path) + ". " +
                              file.errorString().toStdString());
    }
    for (int i = 0; i < SettingsRecord::kFileFieldCount; ++i) {
        const std::string line = record.Field(i) + std::string(kLineEnd);
        if (file.write(line.data(), static_cast<qint64>(line.size())) !=
            static_cast<qint64>(line.size())) {
            throw core::FileError("Cannot write file " + Quoted(path) + ". " +
                                  file.errorString().toStdString());
        }
        sleeper.SleepMs(kSettingsLinePauseMs);
    }
    if (!file.commit()) {
        throw core::FileError("Cannot write file " + Quoted(path) + ". " +
                              file.errorString().toStdString());
    }
}

SettingsValues LoadSettingsFile(const QString& path, SettingsRecord& record,
                                link::FrameReceiver& receiver, core::Sleeper& sleeper) {
    const std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
    if (static_cast<int>(lines.size()) < kSettingsFileMinLines) {
        Refuse(path, "it has " + std::to_string(lines.size()) + " lines, the settings need " +
                         std::to_string(kSettingsFileMinLines));
    }

    SettingsRecord loaded = record;
    for (std::size_t i = 0; i < lines.size() && i < SettingsRecord::kFileFieldCount; ++i) {
        loaded.Field(static_cast<int>(i)) = lines[i];
    }
    const SettingsValues values = SettingsFromRecord(loaded);

    receiver.ResetReceiveBuffer();
    for (const std::string& line : lines) {
        sleeper.SleepMs(kSettingsLinePauseMs);
        receiver.AppendLine(line);
    }
    record = std::move(loaded);
    return values;
}

}  // namespace qeb::settings
