#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "core/errors.h"
#include "trend/trend_series.h"

namespace qeb::trend {

// Why a file is not a measurement log of this program; the window words it for the user.
class LogReadError : public core::FileError {
public:
    enum class Reason {
        CannotOpen,  // missing, unreadable
        TooLarge,    // far beyond any log the program writes
        NotLogName,  // not "2016-10-01 {183005}.csv" nor its final form
        NoHeader,    // the first line is not the log's header
        BadRow,      // a row without nine fields, a time that is not hh:nn[:ss], outputs not on/off
    };
    LogReadError(Reason reason, int line, const std::string& what)
        : core::FileError(what), m_reason(reason), m_line(line) {}
    Reason reason() const { return m_reason; }
    // 1-based line of the file, 0 when the fault is not in a line.
    int line() const { return m_line; }

private:
    Reason m_reason;
    int m_line;
};

// A year of one row a minute is about 30 MB; a bigger file is not one of ours.
inline constexpr qint64 kLogFileLimitBytes = 64LL * 1024 * 1024;

// When the log named `fileName` (without folder) was started: both the running name
// "2016-10-01 {183005}.csv" and the final one "2016-10-01 {183005}    2016-10-01 {190210}.csv".
std::optional<QDateTime> LogStartFromFileName(const QString& fileName);

// The readings of a measurement log, one point per row. Rows carry only the time of day: a
// time earlier than the row before is the next day. Throws LogReadError.
std::vector<TrendPoint> ReadMeasurementLog(const QString& path);

}  // namespace qeb::trend
