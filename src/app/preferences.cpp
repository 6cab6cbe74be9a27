#include "app/preferences.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <climits>
#include <string>

#include "core/decimal_comma.h"
#include "core/errors.h"

namespace qeb::app {
namespace {

// Well above the seven short lines a real file has; anything larger is not ours.
constexpr qint64 kPreferencesFileLimitBytes = 64 * 1024;

QList<QByteArray> SplitLines(const QByteArray& content) {
    QList<QByteArray> lines = content.split('\n');
    // The text after the last line break is a line only when it is not empty.
    if (!lines.isEmpty() && lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    return lines;
}

QString FromFile(const QByteArray& line) {
    return QString::fromLatin1(line);
}

}  // namespace

QString PreferencesPath(const QString& folder) {
    return QDir(folder).filePath(QString::fromLatin1(kPreferencesFileName));
}

PreferencesReading ReadPreferences(const QString& path) {
    PreferencesReading reading;
    QFile file(path);
    if (!file.exists()) {
        return reading;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reading.outcome = PreferencesReading::Outcome::Unreadable;
        reading.error = QStringLiteral("Cannot read ") + QDir::toNativeSeparators(path) +
                        QStringLiteral(": ") + file.errorString();
        return reading;
    }
    if (file.size() > kPreferencesFileLimitBytes) {
        reading.outcome = PreferencesReading::Outcome::Ignored;
        return reading;
    }
    const QList<QByteArray> lines = SplitLines(file.readAll());
    if (lines.size() != kPreferencesLineCount) {
        reading.outcome = PreferencesReading::Outcome::Ignored;
        return reading;
    }

    Preferences& p = reading.preferences;
    p.portText = FromFile(lines[0]);
    reading.validLines = 1;
    int* numbers[] = {&p.left, &p.top, &p.width, &p.height};
    for (int i = 0; i < 4; ++i) {
        const std::string text = lines[i + 1].toStdString();
        try {
            const long long value = core::ParseInteger(text);
            if (value < INT_MIN || value > INT_MAX) {
                throw core::ConversionError("'" + text + "' is not a valid integer value");
            }
            *numbers[i] = static_cast<int>(value);
        } catch (const core::ConversionError& error) {
            reading.outcome = PreferencesReading::Outcome::BadNumber;
            reading.error = QString::fromLatin1(error.what());
            return reading;
        }
        ++reading.validLines;
    }
    p.language = FromFile(lines[5]);
    p.linkType = FromFile(lines[6]);
    reading.validLines = kPreferencesLineCount;
    reading.outcome = PreferencesReading::Outcome::Loaded;
    return reading;
}

void WritePreferences(const QString& path, const Preferences& p) {
    QByteArray content;
    const auto line = [&content](const QByteArray& text) {
        content += text;
        content += "\r\n";
    };
    line(p.portText.toLatin1());
    line(QByteArray::number(p.left));
    line(QByteArray::number(p.top));
    line(QByteArray::number(p.width));
    line(QByteArray::number(p.height));
    line(p.language.toLatin1());
    line(p.linkType.toLatin1());

    // Written beside and then moved over the old file, so a full disk cannot leave half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        throw core::FileError("Cannot write " + QDir::toNativeSeparators(path).toStdString() +
                              ": " + file.errorString().toStdString());
    }
}

QRect FirstRunPlacement(const QRect& screen) {
    constexpr int kDrawnWidth = 354;
    constexpr int kDrawnHeight = 655;
    // Integer division truncates toward zero, also for a screen smaller than the window.
    return {screen.x() + (screen.width() - kDrawnWidth) / 2,
            screen.y() + (screen.height() - kDrawnHeight) / 2, kDrawnWidth, kDrawnHeight};
}

bool TouchesAnyScreen(const QRect& window, const QList<QRect>& screens) {
    for (const QRect& screen : screens) {
        if (screen.intersects(window)) {
            return true;
        }
    }
    return false;
}

}  // namespace qeb::app
