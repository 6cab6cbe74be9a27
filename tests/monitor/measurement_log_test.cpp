#include "monitor/measurement_log.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <array>
#include <csignal>
#include <iostream>

#include <sys/resource.h>

#include "core/errors.h"
#include "support/temp_folder.h"
#include "support/test_clock.h"

namespace qeb::monitor {
namespace {

// A frame as the readout leaves it: PH with a point.
link::StatusFrame ReadoutFrame() {
    return {"7.05", "6,90", "7,10", "25,3", "4", "20", "1", "0", "100", "14", " ", "-"};
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<missing>";
    }
    return file.readAll();
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

class MeasurementLogTest : public testing::Test {
protected:
    test::TempWorkingFolder folder;
    test::TestClock clock{QDateTime(QDate(2016, 10, 1), QTime(18, 30, 5))};
    MeasurementLog log{clock};
    link::StatusFrame frame = ReadoutFrame();

    std::string MinuteNow() const { return core::LongTimeText(clock.Now()).substr(3, 2); }
    // One accepted frame at the clock's time; the tick has seen the same minute.
    void Frame(bool ticked) { log.LogStep(frame, ticked, MinuteNow()); }
    void FramesEverySecondUntil(QTime last, bool ticked = true) {
        while (clock.Now().time() < last) {
            clock.AdvanceSeconds(1);
            frame = ReadoutFrame();
            Frame(ticked);
        }
    }
    QString Path(const char* name) const { return folder.FilePath(QString::fromUtf8(name)); }
};

TEST_F(MeasurementLogTest, FirstRowAtOnceThenOneRowWhenTheMinuteChanges) {
    Frame(true);
    // The frame itself keeps the comma the log gave back.
    EXPECT_EQ(frame.PH, "7,05");
    FramesEverySecondUntil(QTime(18, 32, 30));

    EXPECT_EQ(FilesIn(folder.Path()), QStringList{QStringLiteral("2016-10-01 {183005}.csv")});
    EXPECT_EQ(ReadAll(Path("2016-10-01 {183005}.csv")),
              "Time;PH;PHmin;PHmax;PPM;KH;Alarm;OUT O2;OUT CO2\r\n"
              "18:30:05;7,05;6,90;7,10;25,3;4;20;on;off\r\n"
              "18:31;7,05;6,90;7,10;25,3;4;20;on;off\r\n"
              "18:32;7,05;6,90;7,10;25,3;4;20;on;off\r\n");
    EXPECT_FALSE(log.LogFinalized());
    EXPECT_EQ(log.LogFrameCount(), 1 + 1 + (2 * 60 + 25));
    EXPECT_EQ(log.LastLoggedMinute(), "32");
}

TEST_F(MeasurementLogTest, APauseWithoutFramesLeavesAGapAndTheNextFrameWritesAtOnce) {
    Frame(true);
    clock.SetTime(18, 45, 59);
    Frame(true);
    clock.SetTime(18, 45, 30);  // same minute as the last frame after a clock correction
    Frame(true);
    const QList<QByteArray> lines = ReadAll(Path("2016-10-01 {183005}.csv")).split('\n');
    ASSERT_EQ(lines.size(), 4);  // header, two rows, nothing after the last line end
    EXPECT_TRUE(lines[2].startsWith("18:45;"));
}

TEST(LogRowTest, FieldsAreWrittenAsASpreadsheetReadsThem) {
    const struct {
        const char* what;
        std::array<const char*, 8> fields;  // PH .. OutCO2
        const char* row;
    } cases[] = {
        {"plain frame",
         {"7,05", "6,90", "7,10", "25,3", "4", "20", "1", "0"},
         "t;7,05;6,90;7,10;25,3;4;20;on;off"},
        {"out of range pH as shown",
         {">10", "6,90", "7,10", "0", "0", "20", "0", "1"},
         "t;>10;6,90;7,10;0;0;20;off;on"},
        {"unknown output states are empty",
         {"7,05", "6,90", "7,10", "25,3", "4", "20", "2", "?"},
         "t;7,05;6,90;7,10;25,3;4;20;;"},
        {"formula starts become text",
         {"=1+2", "+6,9", "-7,1", "@SUM(A1)", "4", "20", "1", "0"},
         "t;'=1+2;'+6,9;'-7,1;'@SUM(A1);4;20;on;off"},
        {"semicolons cannot shift the columns",
         {"7,05", "6,90", "7,10", "2;5", "4;", "=a;b", "1", "0"},
         "t;7,05;6,90;7,10;'2,5;'4,;'=a,b;on;off"},
        {"a formula sign later in the field is harmless",
         {"7,05", "6=9", "7+1", "25-3", "4@", "20", "1", "0"},
         "t;7,05;6=9;7+1;25-3;4@;20;on;off"},
        {"a quote cannot open a quoted field across the separators",
         {"\"7,05", "6,90", "7,10", "25,3", "4", "2\"0", "1", "0"},
         "t;'\"7,05;6,90;7,10;25,3;4;2\"0;on;off"},
        {"a carriage return inside a field cannot end the row",
         {"7,\r5", "6,90", "7,10", "25,3", "\r", "20", "1", "0"},
         "t;'7, 5;6,90;7,10;25,3;' ;20;on;off"},
        {"a leading tab is a formula start to some spreadsheets",
         {"7,05", "6,90", "7,10", "\t=1", "4", "20", "1", "0"},
         "t;7,05;6,90;7,10;'\t=1;4;20;on;off"},
        {"empty fields stay empty", {"", "", "", "", "", "", "", ""}, "t;;;;;;;;"},
    };
    for (const auto& c : cases) {
        link::StatusFrame frame;
        for (int i = 0; i < 8; ++i) {
            frame.Field(i) = c.fields[static_cast<std::size_t>(i)];
        }
        EXPECT_EQ(LogRow("t", frame), c.row) << c.what;
    }
}

TEST_F(MeasurementLogTest, FormulaFromTheDeviceIsWrittenAsText) {
    frame.PPM = "=HYPERLINK(\"x\";\"y\")";
    Frame(true);
    const QByteArray text = ReadAll(Path("2016-10-01 {183005}.csv"));
    EXPECT_TRUE(
        text.endsWith("\r\n18:30:05;7,05;6,90;7,10;'=HYPERLINK(\"x\",\"y\");4;20;on;off\r\n"))
        << text.toStdString();
}

TEST_F(MeasurementLogTest, ClearingTheBoxRenamesAtTheNextFrameWithItsTime) {
    Frame(true);
    FramesEverySecondUntil(QTime(19, 2, 10));
    // Cleared at 19:02:10; the next frame comes a second later.
    FramesEverySecondUntil(QTime(19, 2, 11), false);

    const QString finalName = QStringLiteral("2016-10-01 {183005}    2016-10-01 {190211}.csv");
    EXPECT_EQ(FilesIn(folder.Path()), QStringList{finalName});
    EXPECT_EQ(log.LogPath(), folder.FilePath(finalName));
    EXPECT_TRUE(log.LogFinalized());
    EXPECT_EQ(log.LogFrameCount(), 1);
    const QList<QByteArray> lines = ReadAll(folder.FilePath(finalName)).split('\n');
    ASSERT_EQ(lines.size(), 2 + 32 + 1);  // header, 18:30:05, 18:31 .. 19:02
    EXPECT_EQ(lines[33], "19:02;7,05;6,90;7,10;25,3;4;20;on;off\r");

    // Later frames with the box clear write nothing; ticking again starts a new file.
    FramesEverySecondUntil(QTime(19, 5, 0), false);
    EXPECT_EQ(FilesIn(folder.Path()).size(), 1);
    FramesEverySecondUntil(QTime(19, 5, 1));
    EXPECT_EQ(FilesIn(folder.Path()),
              (QStringList{finalName, QStringLiteral("2016-10-01 {190501}.csv")}));
}

TEST_F(MeasurementLogTest, TickedAndClearedBeforeAnyFrameCreatesNothing) {
    // The box went on and off between two frames: the frame sees it clear.
    Frame(false);
    FramesEverySecondUntil(QTime(18, 31, 0), false);
    EXPECT_TRUE(FilesIn(folder.Path()).isEmpty());
    EXPECT_TRUE(log.LogFinalized());
    EXPECT_TRUE(log.LogPath().isEmpty());
}

TEST_F(MeasurementLogTest, FinishingAtCloseRenamesTheOpenFile) {
    Frame(true);
    clock.SetTime(18, 40, 0);
    log.FinishLog();
    EXPECT_EQ(FilesIn(folder.Path()),
              QStringList{QStringLiteral("2016-10-01 {183005}    2016-10-01 {184000}.csv")});
    EXPECT_TRUE(log.LogFinalized());
}

TEST_F(MeasurementLogTest, NameAndFirstRowComeFromOneReadingOfTheClock) {
    // A clock that moves on every time it is read, across midnight.
    class MovingClock final : public core::Clock {
    public:
        QDateTime Now() const override {
            m_now = m_now.addSecs(1);
            return m_now;
        }
        mutable QDateTime m_now{QDate(2016, 10, 1), QTime(23, 59, 58)};
    } moving;
    MeasurementLog midnightLog(moving);
    midnightLog.LogStep(frame, true, "59");
    EXPECT_EQ(FilesIn(folder.Path()), QStringList{QStringLiteral("2016-10-01 {235959}.csv")});
    EXPECT_TRUE(ReadAll(Path("2016-10-01 {235959}.csv")).contains("\r\n23:59:59;"));
    midnightLog.FinishLog();
    EXPECT_EQ(FilesIn(folder.Path()),
              QStringList{QStringLiteral("2016-10-01 {235959}    2016-10-02 {000000}.csv")});
}

TEST(FinalPathTest, CsvLeavesOnlyTheFileName) {
    const QDateTime at(QDate(2016, 10, 1), QTime(19, 2, 10));
    const struct {
        const char* path;
        const char* finalPath;
    } cases[] = {
        {"/logs/2016-10-01 {183005}.csv", "/logs/2016-10-01 {183005}    2016-10-01 {190210}.csv"},
        {"/my.csv/x.csv/2016-10-01 {183005}.csv",
         "/my.csv/x.csv/2016-10-01 {183005}    2016-10-01 {190210}.csv"},
        {"/logs/a.csv.csv", "/logs/a    2016-10-01 {190210}.csv"},
        {"/logs/a.CSV", "/logs/a.CSV    2016-10-01 {190210}.csv"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MeasurementLog::FinalPath(QString::fromUtf8(c.path), at),
                  QString::fromUtf8(c.finalPath))
            << c.path;
    }
}

TEST_F(MeasurementLogTest, ARenameOntoAnExistingFileFailsAndKeepsBoth) {
    Frame(true);
    clock.SetTime(19, 2, 10);
    const QString taken = Path("2016-10-01 {183005}    2016-10-01 {190210}.csv");
    {
        QFile older(taken);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("an older log\r\n");
    }
    const QByteArray rows = ReadAll(Path("2016-10-01 {183005}.csv"));

    EXPECT_THROW(log.LogStep(frame, false, MinuteNow()), core::FileError);
    EXPECT_EQ(ReadAll(taken), "an older log\r\n");
    EXPECT_EQ(ReadAll(Path("2016-10-01 {183005}.csv")), rows);
    EXPECT_FALSE(log.LogFinalized());

    // The next frame, a second later, finds a free name.
    clock.AdvanceSeconds(1);
    log.LogStep(frame, false, MinuteNow());
    EXPECT_TRUE(log.LogFinalized());
    EXPECT_EQ(ReadAll(Path("2016-10-01 {183005}    2016-10-01 {190211}.csv")), rows);
    EXPECT_EQ(FilesIn(folder.Path()).size(), 2);
}

TEST_F(MeasurementLogTest, ARemovedWorkingFolderFailsAndIsReportedOncePerLoggingRun) {
    const QString gone = Path("gone");
    ASSERT_TRUE(QDir().mkdir(gone));
    ASSERT_TRUE(QDir::setCurrent(gone));
    ASSERT_TRUE(QDir().rmdir(gone));

    EXPECT_THROW(Frame(true), core::FileError);
    // No file exists, so nothing waits for a rename, and the next frame tries to start again.
    EXPECT_TRUE(log.LogFinalized());
    EXPECT_EQ(log.LogFrameCount(), 1);
    EXPECT_TRUE(log.ClaimFailureReport());
    clock.AdvanceSeconds(1);
    EXPECT_THROW(Frame(true), core::FileError);
    EXPECT_FALSE(log.ClaimFailureReport());
    EXPECT_TRUE(QDir(QStringLiteral("/")).entryList({QStringLiteral("2016-10-01 {*")}).isEmpty());

    // Clearing the box ends the run quietly; the next run reports its first failure again.
    Frame(false);
    EXPECT_THROW(Frame(true), core::FileError);
    EXPECT_TRUE(log.ClaimFailureReport());
    ASSERT_TRUE(QDir::setCurrent(folder.Path()));
}

TEST_F(MeasurementLogTest, AFileThatVanishedWhileLoggingIsAnErrorNotANewFile) {
    Frame(true);
    ASSERT_TRUE(QFile::remove(Path("2016-10-01 {183005}.csv")));
    clock.SetTime(18, 31, 0);
    EXPECT_THROW(Frame(true), core::FileError);
    EXPECT_TRUE(FilesIn(folder.Path()).isEmpty());
    EXPECT_FALSE(log.LogFinalized());

    // Logging goes on with the next frame, in a file of its own that starts with its header.
    clock.SetTime(18, 31, 1);
    Frame(true);
    EXPECT_EQ(FilesIn(folder.Path()), QStringList{QStringLiteral("2016-10-01 {183101}.csv")});
    EXPECT_TRUE(ReadAll(Path("2016-10-01 {183101}.csv"))
                    .startsWith("Time;PH;PHmin;PHmax;PPM;KH;Alarm;OUT O2;OUT CO2\r\n18:31:01;"));
}

TEST_F(MeasurementLogTest, AFolderRemovedOrReplacedByAFileWhileLoggingIsAnError) {
    for (const bool replacedByFile : {false, true}) {
        SCOPED_TRACE(replacedByFile ? "replaced by a file" : "removed");
        MeasurementLog sublog(clock);
        clock.SetTime(18, 30, 5);
        const QString sub = Path("sub");
        ASSERT_TRUE(QDir().mkdir(sub));
        ASSERT_TRUE(QDir::setCurrent(sub));
        sublog.LogStep(frame, true, MinuteNow());
        ASSERT_TRUE(QDir(sub).removeRecursively());
        if (replacedByFile) {
            QFile blocker(sub);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }
        clock.SetTime(18, 31, 0);
        EXPECT_THROW(sublog.LogStep(frame, true, MinuteNow()), core::FileError);
        EXPECT_THROW(sublog.FinishLog(), core::FileError);
        EXPECT_FALSE(sublog.LogFinalized());
        ASSERT_TRUE(QDir::setCurrent(folder.Path()));
        EXPECT_EQ(FilesIn(folder.Path()),
                  replacedByFile ? QStringList{QStringLiteral("sub")} : QStringList{});
        QFile::remove(sub);
    }
}

// Holds the process's file size limit, as a full disk would, while it lives; as root this is
// a way to make a write fail half way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

TEST_F(MeasurementLogTest, ARowThatCannotBeWrittenWholeLeavesNoBrokenLine) {
    Frame(true);
    const QString path = Path("2016-10-01 {183005}.csv");
    const QByteArray before = ReadAll(path);
    clock.SetTime(18, 31, 0);
    {
        const FileSizeLimit limit(static_cast<rlim_t>(before.size() + 10));
        EXPECT_THROW(Frame(true), core::FileError);
    }
    EXPECT_EQ(ReadAll(path), before);
    // The next minute's row follows the last whole line.
    clock.SetTime(18, 32, 0);
    Frame(true);
    EXPECT_EQ(ReadAll(path), before + "18:32;7,05;6,90;7,10;25,3;4;20;on;off\r\n");
}

TEST_F(MeasurementLogTest, AFileThatCannotTakeItsHeaderIsNotKept) {
    {
        const FileSizeLimit limit(20);
        EXPECT_THROW(Frame(true), core::FileError);
    }
    EXPECT_TRUE(FilesIn(folder.Path()).isEmpty());
    EXPECT_TRUE(log.LogFinalized());
    EXPECT_EQ(log.LogFrameCount(), 1);
    clock.AdvanceSeconds(1);
    Frame(true);
    EXPECT_EQ(FilesIn(folder.Path()), QStringList{QStringLiteral("2016-10-01 {183006}.csv")});
}

TEST_F(MeasurementLogTest, TheWorkingFolderIsReadWhenAFileStarts) {
    const QString first = Path("first");
    const QString second = Path("second");
    ASSERT_TRUE(QDir().mkdir(first));
    ASSERT_TRUE(QDir().mkdir(second));
    ASSERT_TRUE(QDir::setCurrent(first));
    Frame(true);
    // Moving to another folder while logging keeps the file where it is, also for the rename.
    ASSERT_TRUE(QDir::setCurrent(second));
    clock.SetTime(18, 31, 0);
    Frame(true);
    Frame(false);
    EXPECT_EQ(FilesIn(first),
              QStringList{QStringLiteral("2016-10-01 {183005}    2016-10-01 {183100}.csv")});
    clock.SetTime(18, 32, 0);
    Frame(true);
    EXPECT_EQ(FilesIn(second), QStringList{QStringLiteral("2016-10-01 {183200}.csv")});
    ASSERT_TRUE(QDir::setCurrent(folder.Path()));
}

// The writer is a separate program so that SIGKILL hits a process in the middle of logging.
TEST(MeasurementLogCrashTest, RowsWrittenBeforeSigkillSurvive) {
    test::TempWorkingFolder folder;
    QProcess writer;
    writer.start(QStringLiteral(QEB_LOG_CRASH_WRITER), {folder.Path()});
    ASSERT_TRUE(writer.waitForStarted(5000));

    constexpr int kRowsBeforeKill = 200;
    QByteArray output;
    // The last row number the writer had finished when it printed.
    const auto lastReported = [&output] {
        const int end = output.lastIndexOf('\n');
        if (end <= 0) {
            return 0;
        }
        const int start = output.lastIndexOf('\n', end - 1) + 1;
        return output.mid(start, end - start).toInt();
    };
    while (lastReported() < kRowsBeforeKill && writer.waitForReadyRead(10000)) {
        output += writer.readAllStandardOutput();
    }
    writer.kill();  // SIGKILL on Unix
    ASSERT_TRUE(writer.waitForFinished(5000));
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);
    output += writer.readAllStandardOutput();  // what it printed before the signal landed
    const int reported = lastReported();
    ASSERT_GE(reported, kRowsBeforeKill);

    const QStringList files = FilesIn(folder.Path());
    ASSERT_EQ(files.size(), 1);
    const QByteArray text = ReadAll(folder.FilePath(files.front()));
    // Only whole rows: every line ends with CR LF.
    ASSERT_TRUE(text.endsWith("\r\n"));
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast();
    ASSERT_EQ(lines.front(), "Time;PH;PHmin;PHmax;PPM;KH;Alarm;OUT O2;OUT CO2\r");
    std::cout << "[ figures  ] rows reported before SIGKILL " << reported << ", rows in the file "
              << lines.size() - 1 << "\n";
    ASSERT_GE(lines.size() - 1, reported);
    ASSERT_LE(lines.size() - 1, reported + 1);  // one more may have been written, not reported
    for (int row = 1; row < lines.size(); ++row) {
        const QList<QByteArray> fields = lines[row].split(';');
        ASSERT_EQ(fields.size(), 9) << row;
        EXPECT_EQ(fields[4].toInt(), row) << "row " << row << " lost or out of order";
        EXPECT_TRUE(lines[row].endsWith("on;off\r")) << row;
    }
}

}  // namespace
}  // namespace qeb::monitor
