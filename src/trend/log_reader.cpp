#include "trend/log_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>
#include <string>
#include <string_view>

#include "monitor/measurement_log.h"

namespace qeb::trend {
namespace {

using Reason = LogReadError::Reason;

constexpr int kFieldCount = 9;

std::optional<int> TwoDigits(std::string_view text, std::size_t at, int limit) {
    if (text.size() < at + 2) {
        return std::nullopt;
    }
    const char a = text[at];
    const char b = text[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') {
        return std::nullopt;
    }
    const int value = (a - '0') * 10 + (b - '0');
    return value < limit ? std::optional<int>(value) : std::nullopt;
}

// "hh:nn:ss" (the first row) or "hh:nn" (the rows after it).
std::optional<QTime> RowTime(std::string_view text) {
    if (text.size() != 5 && text.size() != 8) {
        return std::nullopt;
    }
    const auto hours = TwoDigits(text, 0, 24);
    const auto minutes = TwoDigits(text, 3, 60);
    if (!hours || !minutes || text[2] != ':') {
        return std::nullopt;
    }
    int seconds = 0;
    if (text.size() == 8) {
        const auto s = TwoDigits(text, 6, 60);
        if (!s || text[5] != ':') {
            return std::nullopt;
        }
        seconds = *s;
    }
    return QTime(*hours, *minutes, seconds);
}

std::optional<bool> OutputState(std::string_view text) {
    if (text == "on") {
        return true;
    }
    if (text == "off" || text.empty()) {
        return false;
    }
    return std::nullopt;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(';', start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

[[noreturn]] void Refuse(Reason reason, int line, const std::string& what) {
    throw LogReadError(reason, line, what);
}

}  // namespace

std::optional<QDateTime> LogStartFromFileName(const QString& fileName) {
    // The final name repeats the date and time of the rename after four spaces.
    static const QRegularExpression kName(QStringLiteral(
        R"(^(\d{4}-\d{2}-\d{2}) \{(\d{6})\}(    \d{4}-\d{2}-\d{2} \{\d{6}\})?\.csv$)"));
    const QRegularExpressionMatch match = kName.match(fileName);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QDate date = QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(match.captured(2), QStringLiteral("HHmmss"));
    if (!date.isValid() || !time.isValid()) {
        return std::nullopt;
    }
    return QDateTime(date, time);
}

std::vector<TrendPoint> ReadMeasurementLog(const QString& path) {
    const QFileInfo info(path);
    const std::optional<QDateTime> start = LogStartFromFileName(info.fileName());
    if (!start) {
        Refuse(Reason::NotLogName, 0, "The file name is not that of a measurement log");
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Refuse(Reason::CannotOpen, 0, file.errorString().toStdString());
    }
    if (file.size() > kLogFileLimitBytes) {
        Refuse(Reason::TooLarge, 0, "The file is far larger than any measurement log");
    }
    const QByteArray content = file.read(kLogFileLimitBytes + 1);
    if (content.size() > kLogFileLimitBytes) {
        Refuse(Reason::TooLarge, 0, "The file is far larger than any measurement log");
    }

    std::vector<TrendPoint> points;
    const std::string_view text(content.constData(), static_cast<std::size_t>(content.size()));
    QDateTime previous = *start;
    std::size_t at = 0;
    int lineNumber = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        std::string_view line = text.substr(at, end == std::string_view::npos ? end : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (lineNumber == 1) {
            if (line != monitor::kLogHeader) {
                Refuse(Reason::NoHeader, 1, "The first line is not the measurement log's header");
            }
            continue;
        }
        if (line.empty() && at >= text.size()) {
            break;  // the line end of the last row
        }
        const std::vector<std::string_view> fields = SplitFields(line);
        const std::optional<QTime> time =
            fields.size() == kFieldCount ? RowTime(fields[0]) : std::nullopt;
        const std::optional<bool> o2 =
            fields.size() == kFieldCount ? OutputState(fields[7]) : false;
        const std::optional<bool> co2 =
            fields.size() == kFieldCount ? OutputState(fields[8]) : false;
        if (!time || !o2 || !co2) {
            Refuse(Reason::BadRow, lineNumber,
                   "Line " + std::to_string(lineNumber) + " is not a measurement log row");
        }
        // Rows carry minutes only; seconds of the row before do not make a day.
        QDateTime moment(previous.date(), *time);
        if (moment < previous.addSecs(-previous.time().second())) {
            moment = moment.addDays(1);
        }
        previous = moment;
        points.push_back(PointFromTexts(
            {fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], *o2, *co2},
            moment.toMSecsSinceEpoch()));
    }
    if (lineNumber == 0) {
        Refuse(Reason::NoHeader, 1, "The file is empty");
    }
    return points;
}

}  // namespace qeb::trend
