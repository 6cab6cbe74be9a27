// A settings file's bytes through the loader. A file is either taken whole or refused with one of
// the program's own errors, leaving the record and the receive buffer exactly as they were.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/decimal_comma.h"
#include "core/errors.h"
#include "core/sleeper.h"
#include "fuzz_check.h"
#include "link/frame_receiver.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"

namespace {

using qeb::settings::SettingsRecord;

class CountingSleeper final : public qeb::core::Sleeper {
public:
    void SleepMs(int milliseconds) override { totalMs += milliseconds; }
    long long totalMs = 0;
};

// The receive buffer after a load: every line of the file ended by CR LF, after the reset text.
// A lone LF ends a line as CR LF does, and a last line without a line end still counts.
std::string ExpectedReceiveBuffer(std::string_view bytes) {
    std::string text(qeb::link::FrameReceiver::kResetText);
    std::size_t lineStart = text.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n') {
            text += bytes[i];
            continue;
        }
        if (text.size() == lineStart || text.back() != '\r') {
            text += '\r';
        }
        text += '\n';
        lineStart = text.size();
    }
    if (text.size() != lineStart) {
        if (text.back() != '\r') {
            text += '\r';
        }
        text += '\n';
    }
    return text;
}

bool IsWholeNumber(const std::string& text) {
    try {
        qeb::core::ParseInteger(text);
        return true;
    } catch (const qeb::core::ConversionError&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const qeb::fuzz::InputFile files;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString path = files.Write(QStringLiteral("ustawienia.qeb"), bytes);

    // The state a loaded file meets: the record of an earlier send, half a frame received.
    SettingsRecord record = qeb::settings::BuildSettingsRecord(qeb::settings::kFactorySettings);
    record.CommandCode = "1";
    qeb::link::FrameReceiver receiver;
    receiver.Append("-\r\n7,05\r\n6,9");
    const SettingsRecord recordBefore = record;
    const std::string bufferBefore = receiver.ReceiveBuffer();
    CountingSleeper sleeper;

    qeb::settings::SettingsValues values;
    try {
        values = qeb::settings::LoadSettingsFile(path, record, receiver, sleeper);
    } catch (const qeb::core::QebError& error) {
        QEB_FUZZ_CHECK(std::string_view(error.what()).size() > 0);
        QEB_FUZZ_CHECK(record == recordBefore);
        QEB_FUZZ_CHECK(receiver.ReceiveBuffer() == bufferBefore);
        return 0;
    }

    QEB_FUZZ_CHECK(size <= static_cast<std::size_t>(qeb::settings::kSettingsFileLimitBytes));
    QEB_FUZZ_CHECK(receiver.ReceiveBuffer() == ExpectedReceiveBuffer(bytes));
    const int lines = receiver.LineCount() - 1;
    QEB_FUZZ_CHECK(lines >= qeb::settings::kSettingsFileMinLines);
    // One pause per line: a file the loader takes cannot freeze the window for long.
    QEB_FUZZ_CHECK(sleeper.totalMs == lines * qeb::settings::kSettingsLinePauseMs);
    QEB_FUZZ_CHECK(record.CommandCode == recordBefore.CommandCode);
    for (int i = 0; i < qeb::settings::kSettingsFileMinLines; ++i) {
        QEB_FUZZ_CHECK(IsWholeNumber(record.Field(i)));
    }
    if (lines < SettingsRecord::kFileFieldCount) {
        for (int i = lines; i < SettingsRecord::kFileFieldCount; ++i) {
            QEB_FUZZ_CHECK(record.Field(i) == recordBefore.Field(i));
        }
    }
    for (long double value : {values.PHmin, values.PHmax, values.Alarm, values.KH,
                              values.Brightness, values.Contrast}) {
        QEB_FUZZ_CHECK(std::isfinite(value));
    }
    QEB_FUZZ_CHECK(values.Brightness ==
                   static_cast<long double>(qeb::core::ParseInteger(record.Brightness)));
    QEB_FUZZ_CHECK(values.KH == static_cast<long double>(qeb::core::ParseInteger(record.KH)));
    return 0;
}
