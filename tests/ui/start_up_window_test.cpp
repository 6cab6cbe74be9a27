#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QToolButton>

#include "support/event_wait.h"
#include "support/frames.h"
#include "support/pty_pair.h"
#include "support/temp_folder.h"
#include "support/window_test.h"
#include "ui/qeb_main_form.h"

namespace qeb::ui {
namespace {

const QByteArray kPreferences = "qeb01.ini";

// The window as the program starts it: preferences in a fresh working folder, then FormCreate.
class StartUpWindow : public test::WindowTest<> {
protected:
    StartUpWindow() {
        clock.Set(QDateTime(QDate(2016, 10, 1), QTime(18, 30, 5)));
        window.SetPortSource([] { return QStringList{QStringLiteral("ttyS0")}; });
        window.SetScreenSource([this] { return screens; });
    }

    void WritePreferences(const QByteArray& content) {
        QFile file(folder.FilePath(QString::fromLatin1(kPreferences)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray SavedPreferences() {
        QFile file(folder.FilePath(QString::fromLatin1(kPreferences)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void Start() { window.FormCreate(); }

    QString PortText() { return Find<QComboBox>("ComboBox1")->currentText(); }
    QString SelectedPort() { return Find<QLabel>("Label29")->text(); }
    void EnterPortList() {
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(Find("ComboBox1"), &in);
    }
    // Connects to `device` through the drop-down's text, ticks the log box and sends one frame;
    // true once the log file holds it.
    bool ConnectAndLogAFrame(test::PtyPair& device) {
        window.Timer1Timer();
        PressSwitch();
        if (!window.ComPort().IsOpen()) {
            return false;
        }
        Find<QCheckBox>("CheckBox1")->click();
        device.Write(test::StreamFor(test::FrameText{}));
        return test::WaitUntil([&] { return QFile::exists(window.Log().LogPath()); });
    }
    QStringList Files() const { return QDir(folder.Path()).entryList(QDir::Files, QDir::Name); }

    app::Screens screens{QRect(0, 0, 1920, 1080), {QRect(0, 0, 1920, 1080)}};
};

TEST_F(StartUpWindow, FirstRunCentresWritesTheFileAndStartsInPolishOnTheCable) {
    Start();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_EQ(window.pos(), QPoint((1920 - 354) / 2, (1080 - 655) / 2));
    EXPECT_EQ(SavedPreferences(), QByteArray("ttyS0\r\n783\r\n212\r\n345\r\n623\r\nPL\r\nUSB\r\n"));
    EXPECT_EQ(PortText(), QStringLiteral("ttyS0"));
    EXPECT_EQ(window.ComPort().PortName(), QStringLiteral("ttyS0"));
    EXPECT_EQ(SelectedPort(), QStringLiteral("ttyS0"));
    EXPECT_TRUE(window.IsPolish());
    EXPECT_EQ(Find<QLabel>("Label2")->text(), QStringLiteral("JAS"));
    EXPECT_TRUE(Shown("SpeedButton8"));
    EXPECT_FALSE(Shown("SpeedButton9"));
    EXPECT_EQ(window.WirelessLink(), 0);
}

TEST_F(StartUpWindow, FirstRunOnASmallScreenWarnsAndStillStarts) {
    screens = {QRect(0, 0, 640, 480), {QRect(0, 0, 640, 480)}};
    Start();
    EXPECT_EQ(
        prompts.messages,
        QStringList{QStringLiteral(
            "Do poprawnego dzialania program wymaga \r\nrozdzielczosci minimum SVGA 800x600")});
    EXPECT_EQ(window.pos(), QPoint(143, -87));
    EXPECT_TRUE(SavedPreferences().startsWith("ttyS0\r\n143\r\n-87\r\n"));
}

TEST_F(StartUpWindow, SixOrEightLinesAreIgnoredAndRewrittenAtClose) {
    const QByteArray files[] = {"ttyUSB1\r\n10\r\n20\r\n361\r\n661\r\nEN\r\n",
                                "ttyUSB1\r\n10\r\n20\r\n361\r\n661\r\nEN\r\nWIFI\r\nmore\r\n"};
    for (const QByteArray& content : files) {
        test::TempWorkingFolder own;
        QebMainForm fresh{{clock, sleeper, prompts}};
        fresh.SetScreenSource([this] { return screens; });
        QFile file(own.FilePath(QString::fromLatin1(kPreferences)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        fresh.FormCreate();
        EXPECT_EQ(fresh.pos(), app::kDesignedPosition);
        EXPECT_TRUE(
            fresh.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->currentText().isEmpty());
        EXPECT_TRUE(fresh.IsPolish());
        EXPECT_TRUE(fresh.findChild<QWidget*>(QStringLiteral("SpeedButton8"))->isHidden());
        EXPECT_TRUE(fresh.findChild<QWidget*>(QStringLiteral("SpeedButton9"))->isHidden());

        fresh.FormClose();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("\r\n582\r\n155\r\n345\r\n623\r\nPL\r\nUSB\r\n"));
    }
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(StartUpWindow, LanguageAndLinkTypeComeBack) {
    const struct {
        const char* language;
        const char* link;
        bool polish;
        const char* contrastCaption;  // the design's "CON" until a language is applied
        bool cableButton;
        bool wirelessButton;
    } cases[] = {
        {"EN", "WIFI", false, "CON", false, true},
        {"PL", "USB", true, "KON", true, false},
        {"EN", "USB", false, "CON", true, false},
        {"de", "LAN", true, "CON", false, false},
    };
    for (const auto& c : cases) {
        test::TempWorkingFolder own;
        QebMainForm fresh{{clock, sleeper, prompts}};
        fresh.SetScreenSource([this] { return screens; });
        QFile file(own.FilePath(QString::fromLatin1(kPreferences)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("ttyACM0\r\n100\r\n120\r\n361\r\n661\r\n" + QByteArray(c.language) + "\r\n" +
                   QByteArray(c.link) + "\r\n");
        file.close();

        fresh.FormCreate();
        const QString what = QStringLiteral("%1/%2").arg(c.language, c.link);
        EXPECT_EQ(fresh.IsPolish(), c.polish) << what.toStdString();
        EXPECT_EQ(fresh.findChild<QLabel*>(QStringLiteral("Label28"))->text(),
                  QString::fromLatin1(c.contrastCaption))
            << what.toStdString();
        EXPECT_EQ(!fresh.findChild<QWidget*>(QStringLiteral("SpeedButton8"))->isHidden(),
                  c.cableButton)
            << what.toStdString();
        EXPECT_EQ(!fresh.findChild<QWidget*>(QStringLiteral("SpeedButton9"))->isHidden(),
                  c.wirelessButton)
            << what.toStdString();
        EXPECT_EQ(fresh.WirelessLink(), c.wirelessButton ? 1 : 0) << what.toStdString();
        EXPECT_EQ(fresh.pos(), QPoint(100, 120)) << what.toStdString();
        EXPECT_EQ(fresh.ComPort().PortName(), QStringLiteral("ttyACM0")) << what.toStdString();
    }
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(StartUpWindow, WirelessRestoredShowsTheWirelessIconOnceConnected) {
    test::PtyPair device;
    WritePreferences(device.TtyPath().toLatin1() +
                     "\r\n100\r\n120\r\n361\r\n661\r\nPL\r\nWIFI\r\n");
    Start();
    window.Timer1Timer();
    PressSwitch();
    ASSERT_TRUE(window.ComPort().IsOpen());
    EXPECT_TRUE(window.CurrentReadout().Image4Visible);
    EXPECT_FALSE(window.CurrentReadout().Image8Visible);
}

TEST_F(StartUpWindow, AWordInANumberLineIsShownAndTheStartGoesOn) {
    test::PtyPair device;
    WritePreferences(device.TtyPath().toLatin1() +
                     "\r\n100\r\nabc\r\n361\r\n661\r\nEN\r\nWIFI\r\n");
    Start();
    EXPECT_EQ(prompts.errors, QStringList{QStringLiteral("'abc' is not a valid integer value")});
    EXPECT_EQ(PortText(), device.TtyPath());
    EXPECT_EQ(window.pos(), QPoint(100, app::kDesignedPosition.y()));
    EXPECT_TRUE(window.IsPolish()) << "lines after the bad one are not applied";

    window.show();
    EXPECT_TRUE(window.isVisible());
    // The log is armed: a ticked box starts a file at the first frame.
    ASSERT_TRUE(ConnectAndLogAFrame(device));
    EXPECT_EQ(Files(), (QStringList{QStringLiteral("2016-10-01 {183005}.csv"),
                                    QString::fromLatin1(kPreferences)}));
}

TEST_F(StartUpWindow, UnwritablePreferencesAtCloseAreShownAndTheLogIsStillRenamed) {
    test::PtyPair device;
    WritePreferences(device.TtyPath().toLatin1() + "\r\n100\r\n120\r\n361\r\n661\r\nPL\r\nUSB\r\n");
    Start();
    window.show();
    ASSERT_TRUE(ConnectAndLogAFrame(device));

    // A folder where the file should be: nothing can be written there.
    ASSERT_TRUE(QFile::remove(folder.FilePath(QString::fromLatin1(kPreferences))));
    ASSERT_TRUE(QDir(folder.Path()).mkdir(QString::fromLatin1(kPreferences)));
    clock.SetTime(18, 40, 0);
    window.close();

    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.front().contains(QString::fromLatin1(kPreferences)))
        << prompts.errors.front().toStdString();
    EXPECT_EQ(Files(),
              QStringList{QStringLiteral("2016-10-01 {183005}    2016-10-01 {184000}.csv")});
    EXPECT_FALSE(window.ComPort().IsOpen());
}

TEST_F(StartUpWindow, AnUnreadableFileIsShownAndTheStartGoesOn) {
    ASSERT_TRUE(QDir(folder.Path()).mkdir(QString::fromLatin1(kPreferences)));
    Start();
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.front().startsWith(QStringLiteral("Cannot read ")))
        << prompts.errors.front().toStdString();
    EXPECT_EQ(window.pos(), app::kDesignedPosition);
    EXPECT_TRUE(prompts.messages.isEmpty()) << "not a first run";
}

TEST_F(StartUpWindow, AWindowSavedOffEveryScreenComesBackCentred) {
    WritePreferences("ttyS0\r\n2500\r\n155\r\n361\r\n661\r\nPL\r\nUSB\r\n");
    Start();
    EXPECT_EQ(window.pos(), QPoint(783, 212));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(StartUpWindow, TheRestoredPortSurvivesTheDropDownTakingTheFocus) {
    WritePreferences("ttyUSB3\r\n100\r\n120\r\n361\r\n661\r\nPL\r\nUSB\r\n");
    Start();
    EXPECT_EQ(SelectedPort(), QStringLiteral("ttyUSB3"));
    EnterPortList();
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->count(), 1) << "the list was refilled";
    EXPECT_EQ(PortText(), QStringLiteral("ttyUSB3"));
    EXPECT_EQ(window.ComPort().PortName(), QStringLiteral("ttyUSB3"));
    window.Timer1Timer();
    EXPECT_TRUE(Shown("RxSwitch1"));

    window.FormClose();
    EXPECT_TRUE(SavedPreferences().startsWith("ttyUSB3\r\n"));
}

TEST_F(StartUpWindow, TheDefaultPortSurvivesTheFocusOnTheFirstRunToo) {
    Start();
    EnterPortList();
    EXPECT_EQ(PortText(), QStringLiteral("ttyS0"));
    EXPECT_EQ(SelectedPort(), QStringLiteral("ttyS0"));
}

TEST_F(StartUpWindow, LinkTypeAndLanguageChosenAreSavedAtClose) {
    const struct {
        const char* clicks;  // link-type buttons in order, then an optional flag
        const char* savedEnd;
    } cases[] = {
        {"", "PL\r\nUSB\r\n"},    {"8", "PL\r\nWIFI\r\n"}, {"89", "PL\r\nUSB\r\n"},
        {"8E", "EN\r\nWIFI\r\n"}, {"E", "EN\r\nUSB\r\n"},
    };
    for (const auto& c : cases) {
        test::TempWorkingFolder own;
        QebMainForm fresh{{clock, sleeper, prompts}};
        fresh.SetScreenSource([this] { return screens; });
        fresh.FormCreate();
        for (const char click : std::string(c.clicks)) {
            if (click == 'E') {
                fresh.Image15Click();
                continue;
            }
            auto* button =
                fresh.findChild<QToolButton*>(QStringLiteral("SpeedButton") + QLatin1Char(click));
            ASSERT_FALSE(button->isHidden()) << c.clicks;
            button->click();
        }
        fresh.FormClose();
        QFile file(own.FilePath(QString::fromLatin1(kPreferences)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().endsWith(c.savedEnd)) << c.clicks;
    }
}

TEST_F(StartUpWindow, CloseWritesInTheWorkingFolderOfThatMoment) {
    Start();
    test::TempWorkingFolder later;
    window.FormClose();
    QFile file(later.FilePath(QString::fromLatin1(kPreferences)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("ttyS0\r\n783\r\n212\r\n345\r\n623\r\nPL\r\nUSB\r\n"));
}

}  // namespace
}  // namespace qeb::ui
