#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "link/status_frame.h"

namespace qeb::monitor {

inline constexpr std::string_view kLogHeader = "Time;PH;PHmin;PHmax;PPM;KH;Alarm;OUT O2;OUT CO2";
inline constexpr std::string_view kLogLineEnd = "\r\n";

// A device field as a spreadsheet must see it: text that would start a formula or a quoted
// field, a ";" that would shift the columns, or a line break that would end the row, is turned
// into plain text ("'" in front, ";" as ",", CR and LF as spaces).
std::string SpreadsheetSafeField(std::string_view field);

// "on" for "1", "off" for "0", empty for anything else.
std::string_view OutputStateText(std::string_view state);

// One data row of nine fields without its line end: the time field, then the device fields in
// the header's order. Takes the frame as it stands; LogStep gives PH its comma back first.
std::string LogRow(std::string_view timeField, const link::StatusFrame& frame);

// The CSV record of the readings: a file started when logging is switched on, one row per
// minute, renamed to carry its start and end when logging stops. Every row is opened, written,
// flushed and closed on its own, so a crash or a spreadsheet holding the file loses nothing.
// Failures throw core::FileError and leave the state so that the next frame tries again.
class MeasurementLog {
public:
    explicit MeasurementLog(const core::Clock& clock) : m_clock(clock) {}

    void ArmLog();

    // The step for an accepted frame. `frame.PH` gets its decimal comma back when a row is
    // built ("7.05" -> "7,05"). `currentMinute` is the minute the tick last saw.
    void LogStep(link::StatusFrame& frame, bool logBoxTicked, const std::string& currentMinute);

    // Renames the open file to carry the end time. Never replaces an existing file.
    void FinishLog();

    // True for the first failure after logging was switched on, false for the repeats until the
    // box has been cleared, so that a full disk does not open a box every minute.
    bool ClaimFailureReport();

    int LogFrameCount() const { return m_logFrameCount; }
    bool LogFinalized() const { return m_logFinalized; }
    const QString& LogPath() const { return m_logPath; }
    const std::string& LastLoggedMinute() const { return m_lastLoggedMinute; }

    // The final name for `path` renamed at `moment`: ".csv" leaves the file name (not the
    // folder), then four spaces, the date and " {hhnnss}.csv".
    static QString FinalPath(const QString& path, const QDateTime& moment);

private:
    void StartFile(link::StatusFrame& frame, const QString& folder);
    void AppendRow(link::StatusFrame& frame);
    void ResumeAfterLoss(link::StatusFrame& frame);

    const core::Clock& m_clock;
    int m_logFrameCount = 1;
    bool m_logFinalized = true;
    QString m_logPath;
    std::string m_lastLoggedMinute;
    bool m_failureReported = false;
    // The file went away while logging (with its folder, or on its own); every frame looks for
    // a way to go on.
    bool m_fileLost = false;
};

}  // namespace qeb::monitor
