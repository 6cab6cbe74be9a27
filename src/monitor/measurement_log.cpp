#include "monitor/measurement_log.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/errors.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qeb::monitor {
namespace {

constexpr std::string_view kFinalNameGap = "    ";

std::string Quoted(const QString& path) {
    return "\"" + QDir::toNativeSeparators(path).toStdString() + "\"";
}

[[noreturn]] void Fail(const std::string& what, const QString& path, const QString& reason) {
    throw core::FileError(what + " " + Quoted(path) + " (" + reason.toStdString() + ")");
}

// The process's current directory now: logs follow the folder the program is in when a file
// starts. A folder removed under the program has no path at all; writing to "/" + name then
// would put the log somewhere nobody looks.
QString WorkingFolder() {
    const QString folder = QDir::currentPath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        throw core::FileError("The working folder is not available for the log file");
    }
    return folder;
}

// The device's PH reaches the log with its decimal comma, as every other field has it.
void RestorePhComma(link::StatusFrame& frame) {
    if (frame.PH.size() > 1 && frame.PH[1] == '.') {
        frame.PH[1] = ',';
    }
}

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Pushes the bytes past the process: a row counts as written only once the system holds it,
// so a crash of the program right after cannot take it along. A write that fails half way
// is cut off again, so that the next row does not continue a broken line.
void WriteThrough(QFile& file, const std::string& bytes) {
    const qint64 lengthBefore = file.size();
    const auto size = static_cast<qint64>(bytes.size());
    QString failure;
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        failure = file.errorString();
    }
#ifdef Q_OS_UNIX
    else if (::fsync(file.handle()) != 0 && errno != EINVAL) {
        failure = SystemReason(errno);
    }
#endif
    if (!failure.isEmpty()) {
        file.resize(lengthBefore);
        file.close();
        Fail("Unable to write the log file", file.fileName(), failure);
    }
    file.close();
}

[[noreturn]] void FailRename(const QString& from, const QString& to, int error) {
    Fail("Unable to rename the log file", from,
         SystemReason(error) + QStringLiteral(" -> ") + QDir::toNativeSeparators(to));
}

// Moves `from` to `to` in the same folder, failing when `to` exists: a plain POSIX rename
// would silently replace an older log that happens to carry the same name.
void RenameWithoutReplacing(const QString& from, const QString& to) {
#ifdef Q_OS_LINUX
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return;
    }
    if (const int error = errno; error != EINVAL && error != ENOSYS) {
        FailRename(from, to, error);
    }
    // A file system without the no-replace flag: a hard link cannot replace either.
    if (::link(source.constData(), target.constData()) != 0) {
        FailRename(from, to, errno);
    }
    if (::unlink(source.constData()) != 0) {
        const int error = errno;
        ::unlink(target.constData());
        FailRename(from, to, error);
    }
#else
    // Qt refuses to rename onto an existing file.
    QFile file(from);
    if (!file.rename(to)) {
        Fail("Unable to rename the log file", from,
             file.errorString() + QStringLiteral(" -> ") + QDir::toNativeSeparators(to));
    }
#endif
}

}  // namespace

std::string SpreadsheetSafeField(std::string_view field) {
    // Spreadsheets start a formula at = + - @ (and after a leading tab or CR, which some strip),
    // and a field that starts with a quote opens a quoted field that swallows the separators and
    // line ends after it. Inside a field, ";" moves the columns and a CR (the receiver keeps a
    // CR that is not at a line's end) ends the row.
    constexpr std::string_view kUnsafeStarts = "=+-@\t\r\"";
    constexpr std::string_view kUnsafeInside = ";\r\n";
    const bool unsafeStart =
        !field.empty() && kUnsafeStarts.find(field.front()) != std::string_view::npos;
    if (!unsafeStart && field.find_first_of(kUnsafeInside) == std::string_view::npos) {
        return std::string(field);
    }
    std::string text = "'";
    for (char c : field) {
        if (c == ';') {
            c = ',';
        } else if (c == '\r' || c == '\n') {
            c = ' ';
        }
        text += c;
    }
    return text;
}

std::string_view OutputStateText(std::string_view state) {
    if (state == "1") {
        return "on";
    }
    if (state == "0") {
        return "off";
    }
    return {};
}

std::string LogRow(std::string_view timeField, const link::StatusFrame& frame) {
    std::string row(timeField);
    for (const std::string* field :
         {&frame.PH, &frame.PHmin, &frame.PHmax, &frame.PPM, &frame.KH, &frame.Alarm}) {
        row += ';';
        row += SpreadsheetSafeField(*field);
    }
    row += ';';
    row += OutputStateText(frame.OutO2);
    row += ';';
    row += OutputStateText(frame.OutCO2);
    return row;
}

QString MeasurementLog::FinalPath(const QString& path, const QDateTime& moment) {
    const QFileInfo info(path);
    QString name = info.fileName();
    name.remove(QStringLiteral(".csv"), Qt::CaseSensitive);
    name += QString::fromLatin1(kFinalNameGap) +
            QString::fromStdString(core::ShortDateText(moment)) + QStringLiteral(" {") +
            QString::fromStdString(core::CompactTimeText(moment)) + QStringLiteral("}.csv");
    return info.path() + QLatin1Char('/') + name;
}

void MeasurementLog::ArmLog() {
    m_logFinalized = true;
    m_logFrameCount = 1;
    m_failureReported = false;
    m_fileLost = false;
}

void MeasurementLog::LogStep(link::StatusFrame& frame, bool logBoxTicked,
                             const std::string& currentMinute) {
    if (logBoxTicked) {
        if (m_logFrameCount == 1) {
            StartFile(frame, WorkingFolder());
        } else if (m_fileLost) {
            ResumeAfterLoss(frame);
        } else if (currentMinute != m_lastLoggedMinute) {
            AppendRow(frame);
        }
        ++m_logFrameCount;
    } else {
        if (!m_logFinalized) {
            FinishLog();
        }
        m_logFrameCount = 1;
        m_failureReported = false;
    }
    m_lastLoggedMinute = currentMinute;
}

void MeasurementLog::StartFile(link::StatusFrame& frame, const QString& folder) {
    // One reading of the clock: the name and the first row carry the same instant, also at
    // midnight.
    const QDateTime now = m_clock.Now();
    const QString path = folder + QLatin1Char('/') +
                         QString::fromStdString(core::ShortDateText(now)) + QStringLiteral(" {") +
                         QString::fromStdString(core::CompactTimeText(now)) +
                         QStringLiteral("}.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        Fail("Unable to create the log file", path, file.errorString());
    }
    RestorePhComma(frame);
    std::string text(kLogHeader);
    text += kLogLineEnd;
    text += LogRow(core::LongTimeText(now), frame);
    text += kLogLineEnd;
    try {
        WriteThrough(file, text);
    } catch (const core::FileError&) {
        // A file without its header and first row holds nothing worth a final name; the next
        // frame starts again.
        QFile::remove(path);
        throw;
    }
    m_logPath = path;
    m_logFinalized = false;
    m_fileLost = false;
}

void MeasurementLog::AppendRow(link::StatusFrame& frame) {
    const QDateTime now = m_clock.Now();
    // A file that has gone away is a failure, not a fresh file without its header.
    QFile file(m_logPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly |
                   QIODevice::Unbuffered)) {
        m_fileLost = !QFileInfo::exists(m_logPath);
        Fail("Unable to open the log file", m_logPath, file.errorString());
    }
    RestorePhComma(frame);
    std::string text = LogRow(core::LongTimeText(now).substr(0, 5), frame);
    text += kLogLineEnd;
    WriteThrough(file, text);
}

void MeasurementLog::ResumeAfterLoss(link::StatusFrame& frame) {
    // Its folder was only moved away and is back: the rows go on in the same file, after a gap.
    if (QFileInfo::exists(m_logPath)) {
        m_fileLost = false;
        AppendRow(frame);
        return;
    }
    // Gone for good: a new file with its header, in the folder the lost one was in, as soon as
    // that folder is there again. (The process may still sit in the removed folder, so the
    // working folder itself is no guide.) The lost file has nothing left to rename.
    StartFile(frame, QFileInfo(m_logPath).path());
}

void MeasurementLog::FinishLog() {
    const QString finalPath = FinalPath(m_logPath, m_clock.Now());
    RenameWithoutReplacing(m_logPath, finalPath);
    m_logPath = finalPath;
    m_logFinalized = true;
}

bool MeasurementLog::ClaimFailureReport() {
    if (m_failureReported) {
        return false;
    }
    m_failureReported = true;
    return true;
}

}  // namespace qeb::monitor
