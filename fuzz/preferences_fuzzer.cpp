// A preferences file's bytes through the start-up reader. Whatever the file holds, the reading
// says plainly what it found, and what it loaded comes back the same after the close writes it.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/preferences.h"
#include "fuzz_check.h"

namespace {

using qeb::app::PreferencesReading;
using Outcome = PreferencesReading::Outcome;

bool operator==(const qeb::app::Preferences& a, const qeb::app::Preferences& b) {
    return a.portText == b.portText && a.left == b.left && a.top == b.top && a.width == b.width &&
           a.height == b.height && a.language == b.language && a.linkType == b.linkType;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const qeb::fuzz::InputFile files;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString path = files.Write(QString::fromLatin1(qeb::app::kPreferencesFileName), bytes);

    const PreferencesReading reading = qeb::app::ReadPreferences(path);
    switch (reading.outcome) {
        case Outcome::Missing:
        case Outcome::Unreadable:
            // The file is there and readable.
            QEB_FUZZ_CHECK(false);
            break;
        case Outcome::Ignored:
            QEB_FUZZ_CHECK(reading.validLines == 0);
            break;
        case Outcome::BadNumber:
            // The port text is read; the bad line is one of the four numbers and is named.
            QEB_FUZZ_CHECK(reading.validLines >= 1 && reading.validLines <= 4);
            QEB_FUZZ_CHECK(!reading.error.isEmpty());
            break;
        case Outcome::Loaded: {
            QEB_FUZZ_CHECK(reading.validLines == qeb::app::kPreferencesLineCount);
            QEB_FUZZ_CHECK(reading.error.isEmpty());
            for (const QString* text :
                 {&reading.preferences.portText, &reading.preferences.language,
                  &reading.preferences.linkType}) {
                QEB_FUZZ_CHECK(!text->contains(QLatin1Char('\n')));
            }
            // Written back at close and read at the next start, nothing changes.
            const QString again = files.Path(QStringLiteral("again.ini"));
            qeb::app::WritePreferences(again, reading.preferences);
            const PreferencesReading next = qeb::app::ReadPreferences(again);
            QEB_FUZZ_CHECK(next.outcome == Outcome::Loaded);
            QEB_FUZZ_CHECK(next.preferences == reading.preferences);
            break;
        }
    }
    return 0;
}
