#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>

#include "support/event_wait.h"
#include "support/frames.h"
#include "support/pty_pair.h"
#include "support/window_test.h"
#include "ui/qeb_main_form.h"

namespace qeb::ui {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class LogWindow : public test::WindowTest<> {
protected:
    LogWindow() { clock.Set(QDateTime(QDate(2016, 10, 1), QTime(18, 30, 5))); }

    test::PtyPair device;

    void SetUp() override {
        window.ComPort().SetPortName(device.TtyPath());
        window.ComPort().Open();
    }

    QCheckBox* Box() { return window.findChild<QCheckBox*>(QStringLiteral("CheckBox1")); }
    void Tick(bool ticked) {
        Box()->setEnabled(true);
        if (Box()->isChecked() != ticked) {
            Box()->click();
        }
    }

    template <typename Done>
    bool WaitFor(Done done, int timeoutMs = 3000) {
        return test::WaitUntil(done, timeoutMs);
    }

    // Sends one frame from the device and waits until the window has taken it in; the
    // brightness field, which the log does not write, tells the frames apart.
    bool SendFrame(test::FrameText frame = {}) {
        // In the program the tick runs just after every change of second, before the frames of
        // that second; it is what records the current minute the log compares with.
        window.Timer1Timer();
        frame.Brightness = std::to_string(++m_sent);
        device.Write(test::StreamFor(frame));
        return WaitFor(
            [&] { return window.Receiver().CurrentStatus().Brightness == frame.Brightness; });
    }
    QStringList Files() const { return QDir(folder.Path()).entryList(QDir::Files, QDir::Name); }

private:
    int m_sent = 0;
};

TEST_F(LogWindow, LogControlsAreWhereTheLayoutPutsThem) {
    ASSERT_NE(Box(), nullptr);
    EXPECT_EQ(Box()->pos(), QPoint(253, 183));
    EXPECT_FALSE(Box()->isEnabled());
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_EQ(Box()->toolTip(), QStringLiteral("Zapisz do pliku Excela w formacie CSV"));
    auto* inactive = window.findChild<QWidget*>(QStringLiteral("Image5"));
    auto* active = window.findChild<QWidget*>(QStringLiteral("Image6"));
    ASSERT_NE(inactive, nullptr);
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(inactive->geometry(), QRect(275, 173, 32, 32));
    EXPECT_EQ(active->geometry(), QRect(275, 173, 32, 32));
    EXPECT_FALSE(inactive->isHidden());
    EXPECT_TRUE(active->isHidden());
    EXPECT_EQ(active->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(active->toolTip(), QStringLiteral("Pokaż folder z plikiem Excela"));
}

// A sleeper that notes how the log box looks while the window waits.
class WatchingSleeper final : public core::Sleeper {
public:
    void SleepMs(int ms) override { waits.emplace_back(ms, box != nullptr && box->isEnabled()); }
    QWidget* box = nullptr;
    std::vector<std::pair<int, bool>> waits;
};

using LogBoxClick = test::WindowTest<WatchingSleeper>;

TEST_F(LogBoxClick, TheBoxIsDeadDuringTheFirstWaitAndLiveAfter) {
    auto* box = window.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    ASSERT_NE(box, nullptr);
    sleeper.box = box;
    box->setEnabled(true);

    box->click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(sleeper.waits, (std::vector<std::pair<int, bool>>{{300, false}, {300, true}}));
}

TEST_F(LogWindow, TheActiveFolderPictureOpensTheWorkingFolder) {
    auto* active = window.findChild<QWidget*>(QStringLiteral("Image6"));
    ASSERT_NE(active, nullptr);
    active->show();
    const QPointF centre(16, 16);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, active->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(active, &release);
    EXPECT_EQ(prompts.openedFolders, QStringList{QDir::currentPath()});
}

TEST_F(LogWindow, FramesFromThePortWithTheBoxTickedAreLoggedAndRenamed) {
    Tick(true);
    test::FrameText first;
    first.OutO2 = "1";
    first.OutCO2 = "0";
    ASSERT_TRUE(SendFrame(first));
    clock.AdvanceSeconds(1);
    ASSERT_TRUE(SendFrame());  // same minute: no row
    clock.SetTime(18, 31, 0);
    test::FrameText high;
    high.PH = "9,99";  // the readout shows ">10" while CO2 is off
    high.OutCO2 = "0";
    ASSERT_TRUE(SendFrame(high));
    EXPECT_EQ(Files(), QStringList{QStringLiteral("2016-10-01 {183005}.csv")});
    EXPECT_EQ(ReadAll(folder.FilePath(QStringLiteral("2016-10-01 {183005}.csv"))),
              "Time;PH;PHmin;PHmax;PPM;KH;Alarm;OUT O2;OUT CO2\r\n"
              "18:30:05;7,05;6,90;7,10;25,3;4;20;on;off\r\n"
              "18:31;>10;6,90;7,10;25,3;4;20;on;off\r\n");

    Tick(false);
    clock.SetTime(19, 2, 11);
    ASSERT_TRUE(SendFrame());
    EXPECT_EQ(Files(),
              QStringList{QStringLiteral("2016-10-01 {183005}    2016-10-01 {190211}.csv")});
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(LogWindow, AFrameTheReadoutCannotConvertIsNotLogged) {
    Tick(true);
    test::FrameText bad;
    bad.KH = "K";
    ASSERT_TRUE(SendFrame(bad));
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_EQ(window.Log().LogFrameCount(), 1);
    ASSERT_TRUE(SendFrame());
    EXPECT_EQ(Files(), QStringList{QStringLiteral("2016-10-01 {183005}.csv")});
}

TEST_F(LogWindow, ClosingTheWindowWhileLoggingRenamesTheFile) {
    Tick(true);
    ASSERT_TRUE(SendFrame());
    clock.SetTime(18, 40, 0);
    window.show();
    window.close();
    EXPECT_EQ(Files(),
              (QStringList{QStringLiteral("2016-10-01 {183005}    2016-10-01 {184000}.csv"),
                           QStringLiteral("qeb01.ini")}));
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(LogWindow, AnUnwritableFolderIsReportedOnceWhileTheBoxStaysTicked) {
    const QString gone = folder.FilePath(QStringLiteral("gone"));
    ASSERT_TRUE(QDir().mkdir(gone));
    ASSERT_TRUE(QDir::setCurrent(gone));
    ASSERT_TRUE(QDir().rmdir(gone));
    Tick(true);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(SendFrame());
        clock.AdvanceSeconds(60);
    }
    ASSERT_TRUE(WaitFor([&] { return !prompts.errors.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts.errors.size(), 1);

    // Cleared and ticked again: the next failure is news again.
    Tick(false);
    ASSERT_TRUE(SendFrame());
    Tick(true);
    ASSERT_TRUE(SendFrame());
    EXPECT_TRUE(WaitFor([&] { return prompts.errors.size() == 2; }));
    ASSERT_TRUE(QDir::setCurrent(folder.Path()));
}

}  // namespace
}  // namespace qeb::ui
