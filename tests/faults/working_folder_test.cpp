// The working folder goes away while the window logs (removed, replaced by a file, or moved
// away) and comes back: one clear message, the readings go on, and the rows go on as soon as
// the folder is there again.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QList>
#include <string>
#include <vector>

#include "faults/connected_window.h"
#include "support/temp_folder.h"

namespace qeb::faults {
namespace {

enum class Away { Removed, ReplacedByAFile, MovedAwayAndBack };

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

using Texts = std::vector<std::string>;

// The time and PH fields of every data row.
Texts Rows(const QString& path) {
    const QList<QByteArray> lines = ReadAll(path).split('\n');
    Texts rows;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!lines[i].isEmpty()) {
            const QList<QByteArray> fields = lines[i].split(';');
            rows.push_back((fields[0] + ";" + fields.value(1)).toStdString());
        }
    }
    return rows;
}

class WorkingFolderAway : public ConnectedWindow, public testing::WithParamInterface<Away> {
protected:
    void SetUp() override {
        ConnectedWindow::SetUp();
        ASSERT_TRUE(QDir().mkdir(work));
        ASSERT_TRUE(QDir::setCurrent(work));
    }
    // The device's frames in second `second` until the readout shows `phCents`.
    bool Reading(int second, int phCents) {
        TickAt(second);
        return SendFrame(phCents) || SendFrame(phCents);
    }
    void TickBox(bool ticked) {
        auto* box = window.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
        ASSERT_NE(box, nullptr);
        box->setEnabled(true);
        if (box->isChecked() != ticked) {
            box->click();
        }
    }
    Texts Files() const {
        Texts names;
        for (const QString& name : QDir(work).entryList(QDir::Files, QDir::Name)) {
            names.push_back(name.toStdString());
        }
        return names;
    }

    test::TempWorkingFolder home;
    const QString work = home.FilePath(QStringLiteral("work"));
    const QString away = home.FilePath(QStringLiteral("work.away"));
};

TEST_P(WorkingFolderAway, OneMessageAndTheRowsGoOnWhenItIsBack) {
    Connect();
    TickBox(true);
    ASSERT_TRUE(Reading(1, 701));
    ASSERT_TRUE(Reading(60, 702));
    const QString first = QDir(work).filePath(QStringLiteral("2016-10-01 {180001}.csv"));
    ASSERT_EQ(Rows(first), (Texts{"18:00:01;7,01", "18:01;7,02"}));

    switch (GetParam()) {
        case Away::Removed:
            ASSERT_TRUE(QDir(work).removeRecursively());
            break;
        case Away::ReplacedByAFile: {
            ASSERT_TRUE(QDir(work).removeRecursively());
            QFile blocker(work);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
            break;
        }
        case Away::MovedAwayAndBack: {
            ASSERT_TRUE(QDir().rename(work, away));
            QFile blocker(work);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
            break;
        }
    }
    for (int minute = 2; minute <= 4; ++minute) {
        EXPECT_TRUE(Reading(minute * 60, 700 + minute)) << "the readings go on";
    }
    test::WaitUntil([&] { return !prompts.errors.isEmpty(); }, 1000);
    test::RunEventLoopFor(50);
    ASSERT_EQ(prompts.errors.size(), 1) << prompts.errors.join('\n').toStdString();
    EXPECT_TRUE(prompts.errors.front().contains(QStringLiteral("log file")))
        << prompts.errors.front().toStdString();

    if (GetParam() != Away::Removed) {
        ASSERT_TRUE(QFile::remove(work));
    }
    if (GetParam() == Away::MovedAwayAndBack) {
        ASSERT_TRUE(QDir().rename(away, work));
    } else {
        ASSERT_TRUE(QDir().mkdir(work));
    }
    ASSERT_TRUE(Reading(5 * 60, 705));
    ASSERT_TRUE(Reading(6 * 60, 706));
    test::RunEventLoopFor(50);
    EXPECT_EQ(prompts.errors.size(), 1) << prompts.errors.join('\n').toStdString();

    if (GetParam() == Away::MovedAwayAndBack) {
        // The same file, with the minutes of the outage missing.
        EXPECT_EQ(Files(), Texts{"2016-10-01 {180001}.csv"});
        EXPECT_EQ(Rows(first), (Texts{"18:00:01;7,01", "18:01;7,02", "18:05;7,05", "18:06;7,06"}));
    } else {
        // The old file went with the folder; a new one starts with its header.
        EXPECT_EQ(Files(), Texts{"2016-10-01 {180500}.csv"});
        const QString fresh = QDir(work).filePath(QStringLiteral("2016-10-01 {180500}.csv"));
        EXPECT_TRUE(
            ReadAll(fresh).startsWith("Time;PH;PHmin;PHmax;PPM;KH;Alarm;OUT O2;OUT CO2\r\n"));
        EXPECT_EQ(Rows(fresh), (Texts{"18:05:00;7,05", "18:06;7,06"}));
    }

    // Cleared: the file gets its final name as always.
    TickBox(false);
    ASSERT_TRUE(Reading(7 * 60, 707));
    ASSERT_EQ(Files().size(), 1);
    EXPECT_TRUE(Files().front().ends_with("    2016-10-01 {180700}.csv")) << Files().front();
    EXPECT_EQ(prompts.errors.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, WorkingFolderAway,
                         testing::Values(Away::Removed, Away::ReplacedByAFile,
                                         Away::MovedAwayAndBack),
                         [](const testing::TestParamInfo<Away>& info) {
                             switch (info.param) {
                                 case Away::Removed:
                                     return "Removed";
                                 case Away::ReplacedByAFile:
                                     return "ReplacedByAFile";
                                 case Away::MovedAwayAndBack:
                                     break;
                             }
                             return "MovedAwayAndBack";
                         });

}  // namespace
}  // namespace qeb::faults
