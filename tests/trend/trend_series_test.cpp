#include "trend/trend_series.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <set>

#include "monitor/measurement_log.h"
#include "support/temp_folder.h"
#include "support/test_clock.h"
#include "trend/log_reader.h"
#include "trend/simulated_day.h"

namespace qeb::trend {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QDateTime kMorning(QDate(2016, 10, 1), QTime(0, 0, 0));

void ExpectValue(double expected, double actual, const char* what) {
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << what << " = " << actual;
    } else {
        EXPECT_NEAR(expected, actual, 1e-9) << what;
    }
}

struct Expected {
    double ph, phMin, phMax, alarmLow, alarmHigh, ppm;
    bool o2, co2;
};

void ExpectPoint(const Expected& e, const TrendPoint& p) {
    ExpectValue(e.ph, p.ph, "ph");
    ExpectValue(e.phMin, p.phMin, "phMin");
    ExpectValue(e.phMax, p.phMax, "phMax");
    ExpectValue(e.alarmLow, p.alarmLow, "alarmLow");
    ExpectValue(e.alarmHigh, p.alarmHigh, "alarmHigh");
    ExpectValue(e.ppm, p.ppm, "ppm");
    EXPECT_EQ(e.o2, p.o2On);
    EXPECT_EQ(e.co2, p.co2On);
}

TEST(TrendPointFromFrame, FieldsBecomeValues) {
    const struct {
        const char* shows;
        link::StatusFrame frame;
        Expected expected;
    } cases[] = {
        {"the device's frame",
         {"7,05", "6,90", "7,10", "25,3", "4", "20", "1", "0", "100", "14", " ", "-"},
         {7.05, 6.90, 7.10, 6.70, 7.30, 25.3, true, false}},
        {"the frame as the readout leaves it, pH with a point",
         {"7.05", "6,90", "7,10", "25,3", "4", "20", "0", "1", "100", "14", " ", "-"},
         {7.05, 6.90, 7.10, 6.70, 7.30, 25.3, false, true}},
        {"a pH above the scale is drawn at its top",
         {">10", "6,90", "7,10", "25,3", "4", "20", "0", "0", "100", "14", " ", "-"},
         {10.0, 6.90, 7.10, 6.70, 7.30, 25.3, false, false}},
        {"no KH set: no CO2 figure",
         {"7,05", "6,90", "7,10", "0", "0", "20", "0", "0", "100", "14", " ", "-"},
         {7.05, 6.90, 7.10, 6.70, 7.30, kNaN, false, false}},
        {"CO2 at the device's top",
         {"6,50", "6,90", "7,10", "100", "12", "5", "0", "1", "100", "14", " ", "-"},
         {6.50, 6.90, 7.10, 6.85, 7.15, 100.0, false, true}},
        {"a field that is no number leaves only itself out",
         {"7,05", "6,9x", "7,10", "25,3", "4", "20", "2", "0", "100", "14", " ", "-"},
         {7.05, kNaN, 7.10, kNaN, 7.30, 25.3, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shows);
        const TrendPoint point = PointFromFrame(c.frame, 1234);
        EXPECT_EQ(1234, point.timeMs);
        ExpectPoint(c.expected, point);
    }
}

// --- Measurement log files -------------------------------------------------------------------

class LogFileTest : public testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& content) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    QTemporaryDir folder;
};

const QByteArray kHeader = "Time;PH;PHmin;PHmax;PPM;KH;Alarm;OUT O2;OUT CO2\r\n";

TEST_F(LogFileTest, RowsBecomePointsAcrossMidnight) {
    const QString path = Write(QStringLiteral("2016-10-01 {235905}.csv"),
                               kHeader +
                                   "23:59:05;7,05;6,90;7,10;25,3;4;20;on;off\r\n"
                                   "00:00;>10;6,90;7,20;100;4;20;off;on\r\n"
                                   "00:01;7,00;6,90;7,20;0;0;5;;\r\n"
                                   "00:03;'=7,1;6,90;7,20;'-1,5;4;20;off;off\r\n");
    const std::vector<TrendPoint> points = ReadMeasurementLog(path);
    ASSERT_EQ(4u, points.size());
    const struct {
        QDateTime time;
        Expected expected;
    } rows[] = {
        {QDateTime(QDate(2016, 10, 1), QTime(23, 59, 5)),
         {7.05, 6.90, 7.10, 6.70, 7.30, 25.3, true, false}},
        {QDateTime(QDate(2016, 10, 2), QTime(0, 0)),
         {10.0, 6.90, 7.20, 6.70, 7.40, 100.0, false, true}},
        {QDateTime(QDate(2016, 10, 2), QTime(0, 1)),
         {7.00, 6.90, 7.20, 6.85, 7.25, kNaN, false, false}},
        {QDateTime(QDate(2016, 10, 2), QTime(0, 3)),
         // The log's apostrophe keeps a spreadsheet from reading a formula; the trend reads the
         // field behind it like the device's.
         {kNaN, 6.90, 7.20, 6.70, 7.40, -1.5, false, false}},
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].time.toMSecsSinceEpoch(), points[i].timeMs);
        ExpectPoint(rows[i].expected, points[i]);
    }
}

TEST_F(LogFileTest, BothNameFormsGiveTheStart) {
    const struct {
        const char* name;
        std::optional<QDateTime> start;
    } cases[] = {
        {"2016-10-01 {183005}.csv", QDateTime(QDate(2016, 10, 1), QTime(18, 30, 5))},
        {"2016-10-01 {183005}    2016-10-02 {190210}.csv",
         QDateTime(QDate(2016, 10, 1), QTime(18, 30, 5))},
        {"2016-10-01 {183005}   2016-10-02 {190210}.csv", std::nullopt},  // three spaces
        {"2016-10-01 {183005}.CSV", std::nullopt},
        {"2016-13-01 {183005}.csv", std::nullopt},
        {"2016-10-01 {246005}.csv", std::nullopt},
        {"ustawienia.qeb", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.start, LogStartFromFileName(QString::fromUtf8(c.name)));
    }
    // The final form of a real log reads like the running one.
    const QByteArray content = kHeader + "18:30:05;7,05;6,90;7,10;25,3;4;20;on;off\r\n";
    const auto running =
        ReadMeasurementLog(Write(QStringLiteral("2016-10-01 {183005}.csv"), content));
    const auto renamed = ReadMeasurementLog(
        Write(QStringLiteral("2016-10-01 {183005}    2016-10-01 {190210}.csv"), content));
    ASSERT_EQ(1u, running.size());
    ASSERT_EQ(1u, renamed.size());
    EXPECT_EQ(running[0].timeMs, renamed[0].timeMs);
}

TEST_F(LogFileTest, MalformedLogIsRefused) {
    using R = LogReadError::Reason;
    const QString logName = QStringLiteral("2016-10-01 {183005}.csv");
    const struct {
        const char* shows;
        QString name;
        QByteArray content;
        R reason;
        int line;
    } cases[] = {
        {"a settings file", QStringLiteral("ustawienia.qeb"), "1\r\n0\r\n", R::NotLogName, 0},
        {"an empty file", logName, "", R::NoHeader, 1},
        {"another header", logName, "Time;PH\r\n18:30:05;7,05\r\n", R::NoHeader, 1},
        {"a spreadsheet saved with commas", logName,
         "Time,PH,PHmin,PHmax,PPM,KH,Alarm,OUT O2,OUT CO2\r\n", R::NoHeader, 1},
        {"a row with eight fields", logName,
         kHeader +
             "18:30:05;7,05;6,90;7,10;25,3;4;20;on;off\r\n18:31;7,05;6,90;7,10;25,3;4;on;off\r\n",
         R::BadRow, 3},
        {"a row with ten fields", logName,
         kHeader + "18:30:05;7,05;6,90;7,10;25,3;4;20;on;off;x\r\n", R::BadRow, 2},
        {"a time with points", logName, kHeader + "18.30.05;7,05;6,90;7,10;25,3;4;20;on;off\r\n",
         R::BadRow, 2},
        {"an hour of 24", logName, kHeader + "24:00;7,05;6,90;7,10;25,3;4;20;on;off\r\n", R::BadRow,
         2},
        {"an output that is neither on nor off", logName,
         kHeader + "18:30:05;7,05;6,90;7,10;25,3;4;20;yes;off\r\n", R::BadRow, 2},
        {"an empty line inside", logName,
         kHeader + "\r\n18:30:05;7,05;6,90;7,10;25,3;4;20;on;off\r\n", R::BadRow, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shows);
        const QString path = Write(c.name, c.content);
        try {
            ReadMeasurementLog(path);
            ADD_FAILURE() << "accepted";
        } catch (const LogReadError& error) {
            EXPECT_EQ(c.reason, error.reason());
            EXPECT_EQ(c.line, error.line());
            EXPECT_STRNE("", error.what());
        }
        QFile::remove(path);
    }
}

TEST_F(LogFileTest, MissingAndHugeFilesAreRefused) {
    const QString missing = folder.filePath(QStringLiteral("2016-10-01 {183005}.csv"));
    try {
        ReadMeasurementLog(missing);
        ADD_FAILURE() << "accepted a missing file";
    } catch (const LogReadError& error) {
        EXPECT_EQ(LogReadError::Reason::CannotOpen, error.reason());
    }
    const QString huge = Write(QStringLiteral("2016-10-02 {183005}.csv"), kHeader);
    ASSERT_TRUE(QFile(huge).resize(kLogFileLimitBytes + 1));  // sparse: costs no disk
    try {
        ReadMeasurementLog(huge);
        ADD_FAILURE() << "accepted a huge file";
    } catch (const LogReadError& error) {
        EXPECT_EQ(LogReadError::Reason::TooLarge, error.reason());
    }
}

TEST_F(LogFileTest, LogWrittenByTheProgramReadsBack) {
    // The log the program writes, read back while it runs and after its final rename: the path
    // an aquarist takes when opening yesterday's file.
    test::TempWorkingFolder working;
    test::TestClock clock(QDateTime(QDate(2016, 10, 1), QTime(23, 59, 5)));
    monitor::MeasurementLog log(clock);
    log.ArmLog();
    link::StatusFrame frame{"7.05", "6,90", "7,10", "25,3", "4", "20",
                            "1",    "0",    "100",  "14",   " ", "-"};
    log.LogStep(frame, true, "59");
    clock.Set(QDateTime(QDate(2016, 10, 2), QTime(0, 0, 1)));
    frame.PH = "7.08";
    frame.OutO2 = "0";
    log.LogStep(frame, true, "00");
    const auto running = ReadMeasurementLog(log.LogPath());
    clock.Set(QDateTime(QDate(2016, 10, 2), QTime(0, 2, 10)));
    log.FinishLog();
    ASSERT_TRUE(log.LogPath().contains(QStringLiteral("    2016-10-02 {000210}.csv")));
    const auto renamed = ReadMeasurementLog(log.LogPath());
    for (const auto* points : {&running, &renamed}) {
        ASSERT_EQ(2u, points->size());
        EXPECT_EQ(QDateTime(QDate(2016, 10, 1), QTime(23, 59, 5)).toMSecsSinceEpoch(),
                  (*points)[0].timeMs);
        ExpectPoint({7.05, 6.90, 7.10, 6.70, 7.30, 25.3, true, false}, (*points)[0]);
        EXPECT_EQ(QDateTime(QDate(2016, 10, 2), QTime(0, 0)).toMSecsSinceEpoch(),
                  (*points)[1].timeMs);
        ExpectPoint({7.08, 6.90, 7.10, 6.70, 7.30, 25.3, false, false}, (*points)[1]);
    }
}

// --- Thinning --------------------------------------------------------------------------------

std::vector<TrendPoint> PointsOf(const std::vector<test::TimedFrame>& frames) {
    std::vector<TrendPoint> points;
    points.reserve(frames.size());
    for (const auto& f : frames) {
        points.push_back(PointFromFrame(f.frame, f.timeMs));
    }
    return points;
}

// Times of the points where range, limits or an output differ from the point before.
std::set<qint64> ChangeTimes(const std::vector<TrendPoint>& points) {
    std::set<qint64> times;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (!points[i].SameRange(points[i - 1]) || !points[i].SameOutputs(points[i - 1])) {
            times.insert(points[i].timeMs);
        }
    }
    return times;
}

std::set<qint64> TimesOf(const std::vector<TrendPoint>& points) {
    std::set<qint64> times;
    for (const auto& p : points) {
        times.insert(p.timeMs);
    }
    return times;
}

void ExpectKeepsShape(const std::vector<TrendPoint>& all, const std::vector<TrendPoint>& kept) {
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(all.front().timeMs, kept.front().timeMs);
    EXPECT_EQ(all.back().timeMs, kept.back().timeMs);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end(),
                               [](const auto& a, const auto& b) { return a.timeMs < b.timeMs; }));
    const std::set<qint64> keptTimes = TimesOf(kept);
    for (qint64 change : ChangeTimes(all)) {
        EXPECT_TRUE(keptTimes.count(change)) << "lost the change at " << change;
    }
    auto byPh = [](const TrendPoint& a, const TrendPoint& b) { return a.ph < b.ph; };
    EXPECT_EQ(std::min_element(all.begin(), all.end(), byPh)->ph,
              std::min_element(kept.begin(), kept.end(), byPh)->ph);
    EXPECT_EQ(std::max_element(all.begin(), all.end(), byPh)->ph,
              std::max_element(kept.begin(), kept.end(), byPh)->ph);
}

TEST(TrendThinning, KeepsEndsRangeChangesAndOutputSwitches) {
    const std::vector<TrendPoint> day = PointsOf(test::SimulatedDay(kMorning));
    ASSERT_EQ(43200u, day.size());
    const std::set<qint64> changes = ChangeTimes(day);
    ASSERT_GT(changes.size(), 10u) << "the simulated day should switch outputs and change range";

    const std::vector<TrendPoint> thinned = Thin(day, TrendSeries::kThinBucketMs);
    ExpectKeepsShape(day, thinned);
    // A few points a minute instead of thirty.
    EXPECT_LE(thinned.size(), 24u * 60 * 3 + changes.size() + 2);
    EXPECT_GE(thinned.size(), 24u * 60);
}

TEST(TrendThinning, SmallAndFlatInputs) {
    TrendPoint flat;
    flat.ph = 7.0;
    std::vector<TrendPoint> points;
    for (int i = 0; i < 100; ++i) {
        flat.timeMs = i * 2000;
        points.push_back(flat);
    }
    // Flat minutes keep their first point; the last point of the whole stays.
    const auto thinned = Thin(points, 60000);
    ASSERT_EQ(5u, thinned.size());
    EXPECT_EQ(0, thinned[0].timeMs);
    EXPECT_EQ(60000, thinned[1].timeMs);
    EXPECT_EQ(120000, thinned[2].timeMs);
    EXPECT_EQ(180000, thinned[3].timeMs);
    EXPECT_EQ(198000, thinned[4].timeMs);

    const std::vector<TrendPoint> two(points.begin(), points.begin() + 2);
    EXPECT_EQ(2u, Thin(two, 60000).size());
    EXPECT_TRUE(Thin({}, 60000).empty());
}

TEST(TrendDisplay, FullDayFitsTheColumns) {
    const std::vector<TrendPoint> day = PointsOf(test::SimulatedDay(kMorning));
    const auto drawn = ForDisplay(day, 800);
    ExpectKeepsShape(day, drawn);
    EXPECT_LE(drawn.size(), 800u * 4 + ChangeTimes(day).size() + 2);
    // Few enough already: drawn as they are.
    const std::vector<TrendPoint> hour(day.begin(), day.begin() + 1800);
    EXPECT_EQ(1800u, ForDisplay(hour, 800).size());
}

// --- The series of a run ---------------------------------------------------------------------

TEST(TrendSeriesOfRun, NewestDayFullOlderThinnedBeyondSevenDaysDropped) {
    TrendSeries series;
    std::vector<TrendPoint> all;
    // Eight days of one accepted frame every two seconds.
    for (int day = 0; day < 8; ++day) {
        for (const auto& f : test::SimulatedDay(kMorning.addDays(day), 2, 7 + day)) {
            const TrendPoint point = PointFromFrame(f.frame, f.timeMs);
            all.push_back(point);
            series.Add(point);
        }
    }
    const auto& kept = series.Points();
    const qint64 newest = all.back().timeMs;
    EXPECT_EQ(newest, kept.back().timeMs);
    EXPECT_GE(kept.front().timeMs, newest - TrendSeries::kKeepMs);
    EXPECT_LT(kept.front().timeMs, newest - TrendSeries::kKeepMs + 60000);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end(),
                               [](const auto& a, const auto& b) { return a.timeMs < b.timeMs; }));

    // Every frame of the newest day is there.
    const std::set<qint64> keptTimes = TimesOf(kept);
    const qint64 fullFrom = newest - TrendSeries::kFullResolutionMs;
    std::size_t newestDay = 0;
    for (const auto& p : all) {
        if (p.timeMs >= fullFrom) {
            ++newestDay;
            EXPECT_TRUE(keptTimes.count(p.timeMs));
        }
    }
    EXPECT_GE(newestDay, 43200u);

    // Every change within the seven days is there.
    std::vector<TrendPoint> window;
    std::copy_if(all.begin(), all.end(), std::back_inserter(window),
                 [&](const TrendPoint& p) { return p.timeMs >= kept.front().timeMs; });
    for (qint64 change : ChangeTimes(window)) {
        EXPECT_TRUE(keptTimes.count(change)) << "lost the change at " << change;
    }

    // Nothing goes silently: what is not kept is counted as thinned or dropped.
    EXPECT_EQ(all.size(), kept.size() + series.ThinnedAwayCount() + series.DroppedCount());
    EXPECT_GT(series.DroppedCount(), 0u);
    EXPECT_GT(series.ThinnedBeforeMs(), 0);
    std::printf("[ figure ] 7 days kept: %zu points, %zu bytes (%zu per point)\n", kept.size(),
                series.MemoryBytes(), sizeof(TrendPoint));
    EXPECT_LT(series.MemoryBytes(), 16u * 1024 * 1024);
}

TEST(TrendSeriesOfRun, ClockSetBackStartsAfresh) {
    TrendSeries series;
    TrendPoint p;
    for (qint64 t : {10000, 12000, 14000}) {
        p.timeMs = t;
        series.Add(p);
    }
    p.timeMs = 11000;
    series.Add(p);
    ASSERT_EQ(1u, series.Points().size());
    EXPECT_EQ(11000, series.Points().front().timeMs);
    EXPECT_EQ(3u, series.DroppedCount());
    // The same moment twice is no step back.
    series.Add(p);
    EXPECT_EQ(2u, series.Points().size());
}

}  // namespace
}  // namespace qeb::trend
