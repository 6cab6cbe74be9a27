#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "link/port_list.h"
#include "monitor/readout.h"
#include "support/event_wait.h"
#include "support/frames.h"
#include "support/pty_pair.h"
#include "support/recording_prompts.h"
#include "support/window_test.h"
#include "ui/qeb_main_form.h"
#include "ui/rx_switch.h"

namespace qeb::ui {
namespace {

// Records like RecordingPrompts, and lets a test act while an error box would be open, as the
// event loop of a real modal box does.
class PromptsWithOpenBox final : public core::Prompts {
public:
    void ShowMessage(const QString& text) override { recorded.ShowMessage(text); }
    void ShowError(const QString& text) override {
        recorded.ShowError(text);
        if (whileErrorBoxOpen) {
            auto action = std::exchange(whileErrorBoxOpen, nullptr);
            action();
        }
    }
    bool AskOkCancel(const QString& text) override { return recorded.AskOkCancel(text); }
    std::optional<QString> ChooseFileToOpen(const core::FileDialogRequest& request) override {
        return recorded.ChooseFileToOpen(request);
    }
    std::optional<QString> ChooseFileToSave(const core::FileDialogRequest& request) override {
        return recorded.ChooseFileToSave(request);
    }
    void OpenFolder(const QString& folder) override { recorded.OpenFolder(folder); }
    void OpenDateTimeSettings() override { recorded.OpenDateTimeSettings(); }

    test::RecordingPrompts recorded;
    std::function<void()> whileErrorBoxOpen;
};

class LinkWindow : public test::WindowTest<test::RecordingSleeper, PromptsWithOpenBox> {
protected:
    LinkWindow() {
        window.SetPortSource([this] {
            ++portListings;
            return systemPorts;
        });
    }

    QComboBox* Combo() { return Find<QComboBox>("ComboBox1"); }
    RxSwitch* Switch() { return Find<RxSwitch>("RxSwitch1"); }
    QString SelectedPort() { return Find<QLabel>("Label29")->text(); }

    void Type(const QString& keys) {
        for (const QChar key : keys) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
            QApplication::sendEvent(Combo()->lineEdit(), &press);
        }
    }
    void Backspace() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(Combo()->lineEdit(), &press);
    }
    void Focus(Qt::FocusReason reason) {
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(Combo(), &in);
    }
    // The user picks a port by its name, as typing it would.
    void ChoosePort(const QString& name) {
        Combo()->setEditText(name);
        window.ComboBox1Change();
    }
    void TickAt(int minute, int second) {
        clock.SetTime(18, minute, second);
        window.Timer1Timer();
    }

    QStringList systemPorts{QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")};
    int portListings = 0;
};

TEST_F(LinkWindow, ControlsSitWhereTheLayoutPutsThem) {
    EXPECT_EQ(Combo()->geometry(), QRect(2, 51, 66, 21));
    EXPECT_TRUE(Combo()->isEditable());
    EXPECT_EQ(Find("SpeedButton5")->geometry(), QRect(70, 52, 21, 21));
    EXPECT_EQ(Find("SpeedButton5")->toolTip(), QStringLiteral("Odśwież COM"));
    EXPECT_EQ(Switch()->geometry(), QRect(24, 78, 47, 29));
    EXPECT_EQ(Switch()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Find("Image7")->geometry(), QRect(20, 80, 57, 25));
    EXPECT_FALSE(Shown("Label29"));
    EXPECT_TRUE(Combo()->currentText().isEmpty());
    EXPECT_TRUE(Shown("Image7"));
    EXPECT_FALSE(Shown("RxSwitch1"));
    EXPECT_FALSE(Switch()->IsOn());
}

TEST_F(LinkWindow, TypedNameSetsThePortAtEveryKeystroke) {
    QString typed;
    for (const QChar key : QStringLiteral("ttyUSB1")) {
        Type(QString(key));
        typed += key;
        EXPECT_EQ(Combo()->currentText(), typed);
        EXPECT_EQ(window.ComPort().PortName(), typed);
        EXPECT_EQ(SelectedPort(), typed);
    }
    EXPECT_TRUE(Shown("RxSwitch1")) << "the switch appears as soon as there is a name";
    EXPECT_FALSE(Shown("Image7"));
}

TEST_F(LinkWindow, TypedNameRule) {
    struct Case {
        const char* shows;
        QString typed;
        QString text;
        QString port;
    };
    const Case cases[] = {
        {"a device name stays", QStringLiteral("ttyACM0"), QStringLiteral("ttyACM0"),
         QStringLiteral("ttyACM0")},
        {"a full path stays", QStringLiteral("/tmp/qeb01-sim"), QStringLiteral("/tmp/qeb01-sim"),
         QStringLiteral("/tmp/qeb01-sim")},
        {"a digit first is cleared but names the port", QStringLiteral("5"), QString(),
         QStringLiteral("5")},
        {"a dot first is cleared", QStringLiteral("."), QString(), QStringLiteral(".")},
        {"a Polish letter is not a port name", QStringLiteral("ł"), QString(), QStringLiteral("ł")},
    };
    for (const Case& c : cases) {
        Combo()->setEditText(QString());
        Type(c.typed);
        EXPECT_EQ(Combo()->currentText(), c.text) << c.shows;
        EXPECT_EQ(window.ComPort().PortName(), c.port) << c.shows;
        EXPECT_EQ(SelectedPort(), c.port) << c.shows;
    }
}

TEST_F(LinkWindow, DeletingTheWholeTextSelectsTheDefaultPortAndHidesTheSwitch) {
    Type(QStringLiteral("tty"));
    for (int i = 0; i < 3; ++i) {
        Backspace();
    }
    EXPECT_TRUE(Combo()->currentText().isEmpty());
    EXPECT_EQ(window.ComPort().PortName(), QLatin1String(link::kDefaultPortName));
    EXPECT_EQ(SelectedPort(), QStringLiteral("ttyS0"));
    window.Timer1Timer();
    EXPECT_FALSE(Shown("RxSwitch1"));
    EXPECT_TRUE(Shown("Image7"));
}

TEST_F(LinkWindow, TextSetByTheProgramRunsNoChangeHandler) {
    Type(QStringLiteral("ttyUSB0"));
    Combo()->setEditText(QStringLiteral("5x"));
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("5x"));
    EXPECT_EQ(SelectedPort(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(window.ComPort().PortName(), QStringLiteral("ttyUSB0"));
}

TEST_F(LinkWindow, RefillingTheListKeepsTheText) {
    Type(QStringLiteral("ttyACM3"));
    const std::function<void()> refills[] = {
        [&] { Find<QToolButton>("SpeedButton5")->click(); },
        [&] { Focus(Qt::TabFocusReason); },
        [&] { Focus(Qt::MouseFocusReason); },
    };
    for (const auto& refill : refills) {
        Combo()->addItem(QStringLiteral("stale"));
        const int listingsBefore = portListings;
        refill();
        EXPECT_EQ(portListings, listingsBefore + 1);
        ASSERT_EQ(Combo()->count(), 2);
        EXPECT_EQ(Combo()->itemText(0), QStringLiteral("ttyS0"));
        EXPECT_EQ(Combo()->itemText(1), QStringLiteral("ttyUSB0"));
        EXPECT_EQ(Combo()->currentText(), QStringLiteral("ttyACM3"));
        EXPECT_EQ(SelectedPort(), QStringLiteral("ttyACM3"));
    }
    EXPECT_TRUE(prompts.recorded.messages.isEmpty());
}

TEST_F(LinkWindow, FocusBackFromABoxOrTheListIsNotEntering) {
    Focus(Qt::ActiveWindowFocusReason);
    Focus(Qt::PopupFocusReason);
    EXPECT_EQ(portListings, 0);
}

TEST_F(LinkWindow, NoPortOnTheSystemShowsTheMessageAndAnEmptyList) {
    systemPorts.clear();
    Type(QStringLiteral("ttyUSB0"));
    Find<QToolButton>("SpeedButton5")->click();
    ASSERT_EQ(prompts.recorded.messages.size(), 1);
    const QString message = prompts.recorded.messages.front();
    EXPECT_EQ(message, link::NoPortMessage());
    EXPECT_TRUE(message.startsWith(QString(34, QLatin1Char(' ')) + QStringLiteral("Brak ")));
    EXPECT_FALSE(message.startsWith(QString(35, QLatin1Char(' '))));
    EXPECT_TRUE(message.endsWith(QStringLiteral("czy się poprawnie zainstalował COM")));
    EXPECT_EQ(Combo()->count(), 0);
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("ttyUSB0"));
}

TEST_F(LinkWindow, SwitchOnConnectsAndFramesReachTheReadout) {
    test::PtyPair device;
    ChoosePort(device.TtyPath());
    window.Timer1Timer();
    ASSERT_TRUE(Shown("RxSwitch1"));
    PressSwitch();
    ASSERT_TRUE(Switch()->IsOn());
    EXPECT_TRUE(window.ComPort().IsOpen());
    EXPECT_EQ(sleeper.TotalMs(), 300);

    test::FrameText frame;
    frame.PH = "6,85";
    device.Write(test::StreamFor(frame));
    EXPECT_TRUE(test::WaitUntil([&] { return window.CurrentReadout().Label7.text == "6.85"; }));

    PressSwitch();
    EXPECT_FALSE(Switch()->IsOn());
    EXPECT_FALSE(window.ComPort().IsOpen());
    EXPECT_TRUE(prompts.recorded.errors.isEmpty());
}

TEST_F(LinkWindow, FailedConnectShowsTheErrorAndTurnsTheSwitchBackOff) {
    QTemporaryDir dir;
    ChoosePort(dir.filePath(QStringLiteral("absent")));
    window.Timer1Timer();
    PressSwitch();
    EXPECT_FALSE(Switch()->IsOn());
    EXPECT_FALSE(window.ComPort().IsOpen());
    EXPECT_EQ(prompts.recorded.errors,
              QStringList{QStringLiteral("Unable to open com port (Error: 2)")});
    EXPECT_TRUE(sleeper.waits.empty());

    // The tick does not try again behind the user's back.
    TickAt(0, 5);
    EXPECT_EQ(prompts.recorded.errors.size(), 1);
}

TEST_F(LinkWindow, SilentDeviceShowsZerosNineSecondsAfterTheReconnect) {
    test::PtyPair device;
    ChoosePort(device.TtyPath());
    TickAt(0, 0);
    PressSwitch();
    monitor::Readout zeros = window.CurrentReadout();
    monitor::ShowZeros(zeros);
    for (int second = 1; second <= 13; ++second) {
        TickAt(0, second);
        EXPECT_NE(window.CurrentReadout(), zeros) << "second " << second;
    }
    TickAt(0, 14);
    EXPECT_EQ(window.CurrentReadout(), zeros);
}

TEST_F(LinkWindow, OneSupervisionErrorBoxAtATime) {
    test::PtyPair device;
    QTemporaryDir dir;
    const QString stablePath = dir.filePath(QStringLiteral("qeb01"));
    ASSERT_TRUE(QFile::link(device.TtyPath(), stablePath));
    ChoosePort(stablePath);
    TickAt(0, 0);
    PressSwitch();
    ASSERT_TRUE(window.ComPort().IsOpen());
    QFile::remove(stablePath);

    // While the first box is open the tick goes on and the next reopen fails too.
    prompts.whileErrorBoxOpen = [&] { TickAt(0, 20); };
    TickAt(0, 5);
    EXPECT_EQ(prompts.recorded.errors,
              QStringList{QStringLiteral("Unable to open com port (Error: 2)")});

    TickAt(0, 35);
    EXPECT_EQ(prompts.recorded.errors.size(), 2)
        << "a later failure is shown once the box is closed";
}

TEST_F(LinkWindow, SendAndFetchAreGreyWhileTheReopenFailed) {
    test::PtyPair device;
    QTemporaryDir dir;
    const QString stablePath = dir.filePath(QStringLiteral("qeb01"));
    ASSERT_TRUE(QFile::link(device.TtyPath(), stablePath));
    ChoosePort(stablePath);
    TickAt(0, 0);
    PressSwitch();

    QFile::remove(stablePath);
    TickAt(0, 5);
    EXPECT_FALSE(Shown("SpeedButton3"));
    EXPECT_FALSE(Shown("SpeedButton4"));
    EXPECT_TRUE(Shown("SpeedButton13"));
    EXPECT_TRUE(Shown("SpeedButton14"));

    ASSERT_TRUE(QFile::link(device.TtyPath(), stablePath));
    TickAt(0, 20);
    EXPECT_TRUE(window.ComPort().IsOpen());
    EXPECT_TRUE(Shown("SpeedButton3"));
    EXPECT_TRUE(Shown("SpeedButton4"));
    EXPECT_FALSE(Shown("SpeedButton13"));
    EXPECT_FALSE(Shown("SpeedButton14"));
}

TEST_F(LinkWindow, TickIsReArmedForJustAfterTheNextSecond) {
    auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isSingleShot());
    clock.Set(QDateTime(QDate(2016, 10, 1), QTime(18, 0, 0, 250)));
    window.Timer1Timer();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 750 + link::kTickLeadMs);
}

TEST_F(LinkWindow, TheTickRunsOnItsOwn) {
    Type(QStringLiteral("ttyS0"));
    clock.SetTime(18, 7, 0);
    EXPECT_TRUE(
        test::WaitUntil([&] { return window.LinkSupervision().CurrentMinute() == "07"; }, 2500));
}

}  // namespace
}  // namespace qeb::ui
