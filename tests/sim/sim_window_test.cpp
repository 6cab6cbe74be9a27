// The simulated controller on a pseudo-terminal plays the device for the real window: frames reach
// the readout, the window's commands reach the device, and a cable pulled and put back at the
// same path is found again by the scheduled reconnect.

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "qeb01-sim/sim_device.h"
#include "qeb01-sim/simulated_port.h"
#include "support/event_wait.h"
#include "support/recording_prompts.h"
#include "support/recording_sleeper.h"
#include "support/test_clock.h"
#include "support/window_test.h"
#include "ui/qeb_main_form.h"
#include "ui/rx_switch.h"

namespace qeb::ui {
namespace {

using Kind = sim::ReceivedCommand::Kind;

class SimulatedController : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    template <typename T = QWidget>
    T* Find(const char* name) {
        auto* widget = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void TickAt(int minute, int second) {
        clock.SetTime(18, minute, second);
        window.Timer1Timer();
    }
    void PressSwitch() {
        auto* rxSwitch = Find<RxSwitch>("RxSwitch1");
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, rxSwitch->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(rxSwitch, &press);
    }
    // The user types the simulator's path into the drop-down and turns the switch on.
    void Connect() {
        Find<QComboBox>("ComboBox1")->setEditText(QString::fromStdString(port.LinkPath()));
        window.ComboBox1Change();
        TickAt(0, 0);
        PressSwitch();
        ASSERT_TRUE(window.ComPort().IsOpen());
    }

    // The device's frames, one a second of its own time, until the window shows what `shown`
    // waits for. `beforeEachFrame` can hold the device where the test needs it.
    bool StreamUntil(const std::function<bool()>& shown,
                     const std::function<void()>& beforeEachFrame = {}) {
        constexpr int kMaxFrames = 12;
        for (int i = 0; i < kMaxFrames; ++i) {
            if (beforeEachFrame) {
                beforeEachFrame();
            }
            port.Write(device.NextFrame(deviceMs));
            deviceMs += 1000;
            if (test::WaitUntil(shown, 150)) {
                return true;
            }
        }
        return false;
    }
    std::string Label(const monitor::ReadoutLabel monitor::Readout::*label) {
        return (window.CurrentReadout().*label).text;
    }

    // What the device made of the bytes the window wrote.
    std::vector<sim::ReceivedCommand> DeviceReceives() {
        std::string bytes;
        test::WaitUntil(
            [&] {
                bytes += port.ReadAvailable();
                return bytes.size() >= sim::SimDevice::kCommandLengthChars;
            },
            2000);
        test::RunEventLoopFor(50);
        bytes += port.ReadAvailable();
        std::cout << "[ device   ] received \"" << bytes << "\"\n";
        return device.Receive(bytes, deviceMs);
    }

    void SetEditors(double phMin, double phMax, double alarm, int kh, int brightness,
                    int contrast) {
        test::SetSettingsEditors(window, phMin, phMax, alarm, kh, brightness, contrast);
    }
    QStringList EditorTexts() {
        QStringList texts;
        for (const char* name : {"RxSpinEdit7", "RxSpinEdit8", "RxSpinEdit11", "RxSpinEdit12",
                                 "RxSpinEdit9", "RxSpinEdit10"}) {
            texts << Find<QAbstractSpinBox>(name)->text();
        }
        return texts;
    }
    void Click(const char* name) {
        auto* button = Find<QToolButton>(name);
        ASSERT_TRUE(button->isEnabled() && button->isVisibleTo(&window)) << name;
        button->click();
    }

    QTemporaryDir dir;
    sim::SimulatedPort port{dir.filePath(QStringLiteral("qeb01")).toStdString()};
    sim::SimDevice device{5};
    std::int64_t deviceMs = 0;
    test::TestClock clock;
    test::RecordingSleeper sleeper;
    test::RecordingPrompts prompts;
    QebMainForm window{{clock, sleeper, prompts}};
};

using monitor::Readout;

TEST_F(SimulatedController, FramesReachTheReadout) {
    Connect();
    ASSERT_TRUE(StreamUntil([&] { return window.CurrentReadout().Label7.visible; }));
    const std::string ph = Label(&Readout::Label7);
    ASSERT_EQ(ph.size(), 4u);
    EXPECT_EQ(ph[1], '.');
    EXPECT_EQ(Label(&Readout::Label8), "6,90");
    EXPECT_EQ(Label(&Readout::Label9), "7,10");
    EXPECT_EQ(Label(&Readout::Label17), "6,70");
    EXPECT_EQ(Label(&Readout::Label23), "7,30");
    EXPECT_EQ(Label(&Readout::Label11), "--.-") << "no KH, no CO2 figure";
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
}

TEST_F(SimulatedController, OutputsAndCo2ShowWhatTheDeviceSwitched) {
    Connect();
    device.SetSettings({100, 14, 710, 690, 20, 4});
    // Held below the range: O2 on, and 3 x 4 x 10^(7 - 6) ppm is past the device's limit.
    ASSERT_TRUE(StreamUntil([&] { return window.CurrentReadout().Image2Visible; },
                            [&] { device.SetPhCents(600); }));
    EXPECT_FALSE(window.CurrentReadout().Image1Visible);
    EXPECT_EQ(Label(&Readout::Label7), "6.00");
    EXPECT_EQ(Label(&Readout::Label11), ">100!");
    EXPECT_EQ(Label(&Readout::Label12), "04");

    // Held above it: CO2 on, 0,4 ppm.
    ASSERT_TRUE(StreamUntil([&] { return window.CurrentReadout().Image1Visible; },
                            [&] { device.SetPhCents(850); }));
    EXPECT_FALSE(window.CurrentReadout().Image2Visible);
    EXPECT_EQ(Label(&Readout::Label7), "8.50");
    EXPECT_EQ(Label(&Readout::Label11), "00,4");
}

TEST_F(SimulatedController, SettingsSentFromTheWindowReachTheDeviceAndComeBack) {
    Connect();
    ASSERT_TRUE(StreamUntil([&] { return Label(&Readout::Label8) == "6,90"; }));

    SetEditors(6.5, 7.4, 0.3, 5, 80, 12);
    Click("SpeedButton3");
    const auto received = DeviceReceives();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].kind, Kind::Settings);
    EXPECT_EQ(received[0].bytes, "08001200704000605003000500000011");
    EXPECT_EQ(received[0].Describe(), "received settings 08001200704000605003000500000011");
    EXPECT_EQ(device.Settings(), (sim::DeviceSettings{80, 12, 740, 650, 30, 5}));

    // The device reports the new range in its next frames.
    EXPECT_TRUE(StreamUntil([&] {
        return Label(&Readout::Label8) == "6,50" && Label(&Readout::Label9) == "7,40" &&
               Label(&Readout::Label12) == "05";
    }));
    EXPECT_EQ(Label(&Readout::Label17), "6,20");
    EXPECT_EQ(Label(&Readout::Label23), "7,70");

    // Changed on the device itself: the fetch brings what the device reports, not what was sent.
    device.SetSettings({60, 9, 720, 680, 15, 8});
    ASSERT_TRUE(StreamUntil([&] { return Label(&Readout::Label8) == "6,80"; }));
    SetEditors(6.9, 7.1, 0.2, 0, 100, 14);
    Click("SpeedButton4");
    EXPECT_EQ(EditorTexts(), (QStringList{"6,80", "7,20", "0,15", "8", "60", "9"}));
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
}

TEST_F(SimulatedController, FactoryResetAndRestartFromTheWindow) {
    Connect();
    device.SetSettings({60, 9, 820, 780, 15, 8});
    ASSERT_TRUE(StreamUntil([&] { return Label(&Readout::Label8) == "7,80"; }));

    Click("SpeedButton6");
    auto received = DeviceReceives();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].kind, Kind::FactoryReset);
    EXPECT_EQ(received[0].bytes, std::string(32, '2'));
    EXPECT_EQ(device.Settings(), sim::kFactorySettings);
    EXPECT_TRUE(StreamUntil([&] { return Label(&Readout::Label8) == "6,90"; }));

    Click("SpeedButton7");
    received = DeviceReceives();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].kind, Kind::Restart);
    EXPECT_EQ(received[0].bytes, std::string(32, '3'));
    const std::int64_t restartedAt = deviceMs;
    for (; deviceMs < restartedAt + sim::SimDevice::kRestartSilenceMs; deviceMs += 1000) {
        EXPECT_TRUE(device.NextFrame(deviceMs).empty()) << "silent while restarting";
    }
    EXPECT_TRUE(StreamUntil([&] { return Label(&Readout::Label7) == "8.12"; },
                            [&] { device.SetPhCents(812); }))
        << "frames again after the restart";
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
}

TEST_F(SimulatedController, UnpluggedAndPluggedBackAtTheSamePath) {
    Connect();
    ASSERT_TRUE(StreamUntil([&] { return Label(&Readout::Label7).starts_with("7."); }));

    port.Unplug();
    EXPECT_TRUE(test::WaitUntil([&] { return !window.ComPort().IsOpen(); }, 2000))
        << "the hang-up closes the port";
    const double cpuBefore = test::ProcessCpuMs();
    test::RunEventLoopFor(1000);
    EXPECT_LT(test::ProcessCpuMs() - cpuBefore, 200.0) << "no busy loop while unplugged";
    for (int second = 1; second <= 3; ++second) {
        TickAt(0, second);
    }
    EXPECT_FALSE(window.ComPort().IsOpen());

    port.Replug();
    TickAt(0, 4);
    EXPECT_FALSE(window.ComPort().IsOpen()) << "only the reconnect second opens again";
    TickAt(0, 5);
    ASSERT_TRUE(window.ComPort().IsOpen());
    EXPECT_TRUE(StreamUntil([&] { return Label(&Readout::Label7) == "8.20"; },
                            [&] { device.SetPhCents(820); }))
        << "readings again from the new tty at the same path";
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
}

}  // namespace
}  // namespace qeb::ui
