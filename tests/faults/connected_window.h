#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cstdint>
#include <string>

#include "qeb01-sim/sim_device.h"
#include "qeb01-sim/simulated_port.h"
#include "support/event_wait.h"
#include "support/recording_prompts.h"
#include "support/recording_sleeper.h"
#include "support/test_clock.h"
#include "ui/qeb_main_form.h"
#include "ui/rx_switch.h"

namespace qeb::faults {

// The real window connected, as a user would connect it, to the simulated controller at a
// stable link path. The test clock counts whole seconds from 18:00:00; the window's own timer
// keeps running in between, as it does in the program.
class ConnectedWindow : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // The tick of second `second` of the test (0 = 18:00:00).
    void TickAt(int second) {
        clock.Set(kStart.addSecs(second));
        window.Timer1Timer();
    }
    void Connect() {
        window.findChild<QComboBox*>(QStringLiteral("ComboBox1"))
            ->setEditText(QString::fromStdString(port.LinkPath()));
        window.ComboBox1Change();
        TickAt(0);
        auto* rxSwitch = window.findChild<ui::RxSwitch*>(QStringLiteral("RxSwitch1"));
        ASSERT_NE(rxSwitch, nullptr);
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, rxSwitch->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(rxSwitch, &press);
        ASSERT_TRUE(window.ComPort().IsOpen());
    }
    // One frame of the device with its pH at `phCents`. True once the readout shows it; false
    // when the window only buffered it (the receiver cuts a frame when the next one arrives) or
    // nobody heard it.
    bool SendFrame(int phCents) {
        device.SetPhCents(phCents);
        const std::string frame = device.NextFrame(deviceMs);
        deviceMs += 1000;
        const std::string before = window.Receiver().ReceiveBuffer();
        const bool heard = port.Write(frame) == frame.size();
        const auto shown = [&] { return ShownPh() == PhText(phCents); };
        const auto buffered = [&] {
            const std::string& now = window.Receiver().ReceiveBuffer();
            return now != before && now.ends_with(frame);
        };
        test::WaitUntil([&] { return !heard || shown() || buffered(); }, kFrameWaitMs);
        return shown();
    }
    std::string ShownPh() const { return window.CurrentReadout().Label7.text; }
    static std::string PhText(int cents) {
        return std::to_string(cents / 100) + "." + std::to_string(cents / 10 % 10) +
               std::to_string(cents % 10);
    }

    // Frames take milliseconds to reach the readout; the wait ends as soon as the frame is in,
    // and this much is for a machine that is busy with other work.
    static constexpr int kFrameWaitMs = 2000;
    inline static const QDateTime kStart{QDate(2016, 10, 1), QTime(18, 0, 0)};

    QTemporaryDir dir;
    sim::SimulatedPort port{dir.filePath(QStringLiteral("qeb01")).toStdString()};
    sim::SimDevice device{11};
    std::int64_t deviceMs = 0;
    test::TestClock clock{kStart};
    test::RecordingSleeper sleeper;
    test::RecordingPrompts prompts;
    ui::QebMainForm window{{clock, sleeper, prompts}};
};

}  // namespace qeb::faults
