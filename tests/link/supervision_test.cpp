#include "link/supervision.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <set>
#include <string>

#include "core/errors.h"
#include "support/event_wait.h"
#include "support/frames.h"
#include "support/pty_pair.h"
#include "support/recording_sleeper.h"

namespace qeb::link {
namespace {

using test::PtyPair;
using test::WaitUntil;

std::string ClockText(int minute, int second) {
    return QTime(18, minute, second).toString(QStringLiteral("HH:mm:ss")).toStdString();
}

// A port, the receiver it feeds, and the supervision over both, wired as the window wires them.
class SupervisionTest : public ::testing::Test {
protected:
    SupervisionTest() {
        QObject::connect(&m_link, &SerialLink::RxChar, [this](qint64 count) {
            if (m_receiver.Append(m_link.ReadText(count))) {
                ++m_framesAccepted;
            }
        });
        m_link.SetPortName(m_device->TtyPath());
    }

    bool ReceivedText(const std::string& part) {
        return WaitUntil(
            [&] { return m_receiver.ReceiveBuffer().find(part) != std::string::npos; });
    }

    std::unique_ptr<PtyPair> m_device = std::make_unique<PtyPair>();
    SerialLink m_link;
    FrameReceiver m_receiver;
    test::RecordingSleeper m_sleeper;
    Supervision m_supervision{m_link, m_receiver, m_sleeper};
    int m_framesAccepted = 0;
};

TEST_F(SupervisionTest, ConnectOpensAndWaitsThreeHundredMsInTenMsPauses) {
    m_supervision.Connect();
    EXPECT_TRUE(m_link.IsOpen());
    EXPECT_EQ(m_sleeper.waits, std::vector<int>(30, 10));
    m_supervision.Disconnect();
    EXPECT_FALSE(m_link.IsOpen());
}

TEST_F(SupervisionTest, FailedConnectDoesNotWait) {
    QTemporaryDir dir;
    m_link.SetPortName(dir.filePath(QStringLiteral("gone")));
    EXPECT_THROW(m_supervision.Connect(), core::SerialError);
    EXPECT_TRUE(m_sleeper.waits.empty());
}

TEST_F(SupervisionTest, EveryTickRecordsMinuteAndSwitchVisibility) {
    struct Case {
        const char* shows;
        std::string clock;
        bool portTextEmpty;
        std::string minute;
        bool switchVisible;
    };
    const Case cases[] = {
        {"a port name shows the switch", "18:07:33", false, "07", true},
        {"an empty drop-down hides it", "09:59:01", true, "59", false},
        {"midnight", "00:00:00", false, "00", true},
    };
    for (const Case& c : cases) {
        const TickResult tick = m_supervision.SupervisionTick(c.clock, c.portTextEmpty, false);
        EXPECT_EQ(m_supervision.CurrentMinute(), c.minute) << c.shows;
        EXPECT_EQ(tick.switchVisible, c.switchVisible) << c.shows;
        EXPECT_FALSE(tick.reconnected) << c.shows;
    }
}

TEST_F(SupervisionTest, SwitchedOffTheTickLeavesPortAndSecondsAlone) {
    for (int second = 0; second < 60; ++second) {
        const TickResult tick = m_supervision.SupervisionTick(ClockText(0, second), false, false);
        EXPECT_FALSE(tick.reconnected);
        EXPECT_FALSE(tick.showZeros);
    }
    EXPECT_FALSE(m_link.IsOpen());
    EXPECT_EQ(m_supervision.SecondsSeenCount(), 0);
}

TEST_F(SupervisionTest, ReconnectOncePerReconnectSecondDropsHalfReceivedText) {
    m_supervision.Connect();
    m_device->Write("-\r\n7,05\r\n6,9");
    ASSERT_TRUE(ReceivedText("6,9"));

    const TickResult first = m_supervision.SupervisionTick("18:00:05", false, true);
    EXPECT_TRUE(first.reconnected);
    EXPECT_FALSE(first.reconnectError);
    EXPECT_TRUE(m_link.IsOpen());
    EXPECT_TRUE(m_receiver.NothingReceived());

    // Later ticks within the same second leave the new session alone.
    m_device->Write("-\r\n7,10\r\n");
    ASSERT_TRUE(ReceivedText("7,10"));
    const TickResult again = m_supervision.SupervisionTick("18:00:05", false, true);
    EXPECT_FALSE(again.reconnected);
    EXPECT_NE(m_receiver.ReceiveBuffer().find("7,10"), std::string::npos);

    EXPECT_TRUE(m_supervision.SupervisionTick("18:01:05", false, true).reconnected);
}

TEST_F(SupervisionTest, ReconnectSecondsAreFiveTwentyThirtyFiveFifty) {
    m_supervision.Connect();
    std::set<int> reconnects;
    for (int second = 0; second < 60; ++second) {
        if (m_supervision.SupervisionTick(ClockText(0, second), false, true).reconnected) {
            reconnects.insert(second);
        }
    }
    EXPECT_EQ(reconnects, (std::set<int>{5, 20, 35, 50}));
    EXPECT_TRUE(m_link.IsOpen());
}

TEST_F(SupervisionTest, SilentDeviceGivesZerosNineSecondsAfterEachReconnect) {
    m_supervision.Connect();
    std::set<int> zeros;
    for (int second = 0; second < 60; ++second) {
        if (m_supervision.SupervisionTick(ClockText(0, second), false, true).showZeros) {
            zeros.insert(second);
        }
    }
    EXPECT_EQ(zeros, (std::set<int>{14, 29, 44, 59}));
    EXPECT_EQ(m_supervision.SecondsSeenCount(), 0);
}

TEST_F(SupervisionTest, AnythingReceivedSinceTheReconnectPreventsZeros) {
    m_supervision.Connect();
    for (int second = 0; second <= 9; ++second) {
        m_supervision.SupervisionTick(ClockText(0, second), false, true);
        if (second == 5) {
            m_device->Write("7");
            ASSERT_TRUE(ReceivedText("7"));
        }
    }
    EXPECT_EQ(m_supervision.SecondsSeenCount(), 5);
    for (int second = 10; second <= 14; ++second) {
        EXPECT_FALSE(m_supervision.SupervisionTick(ClockText(0, second), false, true).showZeros);
    }
    EXPECT_EQ(m_supervision.SecondsSeenCount(), 0);
}

TEST_F(SupervisionTest, FailedReopenIsReportedOnceAndEndsTheTick) {
    m_supervision.Connect();
    m_supervision.SupervisionTick("18:00:04", false, true);
    QTemporaryDir dir;
    m_link.Close();
    m_link.SetPortName(dir.filePath(QStringLiteral("unplugged")));

    const TickResult failed = m_supervision.SupervisionTick("18:00:05", false, true);
    ASSERT_TRUE(failed.reconnectError);
    EXPECT_EQ(*failed.reconnectError, "Unable to open com port (Error: 2)");
    EXPECT_TRUE(failed.reconnected);
    EXPECT_FALSE(m_link.IsOpen());
    EXPECT_EQ(m_supervision.SecondsSeenCount(), 1) << "the failed tick counted its second";

    const TickResult sameSecond = m_supervision.SupervisionTick("18:00:05", false, true);
    EXPECT_FALSE(sameSecond.reconnectError);
    EXPECT_FALSE(sameSecond.reconnected);
}

TEST_F(SupervisionTest, ReadingsComeBackAfterTheDeviceReturns) {
    QTemporaryDir dir;
    const QString stablePath = dir.filePath(QStringLiteral("qeb01"));
    ASSERT_TRUE(QFile::link(m_device->TtyPath(), stablePath));
    m_link.SetPortName(stablePath);
    m_supervision.Connect();

    m_device->CloseDevice();
    ASSERT_TRUE(WaitUntil([&] { return !m_link.IsOpen(); }));

    // The device is back under the same name, as the simulator or a replugged adapter would be.
    m_device = std::make_unique<PtyPair>();
    QFile::remove(stablePath);
    ASSERT_TRUE(QFile::link(m_device->TtyPath(), stablePath));
    m_device->Write(test::StreamFor(test::FrameText{}));
    test::RunEventLoopFor(100);
    EXPECT_EQ(m_framesAccepted, 0) << "nothing is read before the reconnect second";

    const TickResult tick = m_supervision.SupervisionTick("18:00:20", false, true);
    EXPECT_FALSE(tick.reconnectError);
    EXPECT_TRUE(m_link.IsOpen());
    m_device->Write(test::StreamFor(test::FrameText{}));
    EXPECT_TRUE(WaitUntil([&] { return m_framesAccepted >= 1; }));
}

TEST(TickSchedule, FiresJustAfterTheNextChangeOfSecond) {
    const QDate day(2016, 10, 1);
    EXPECT_EQ(NextTickDelayMs(QDateTime(day, QTime(18, 0, 0, 0))), 1000 + kTickLeadMs);
    EXPECT_EQ(NextTickDelayMs(QDateTime(day, QTime(18, 0, 0, 999))), 1 + kTickLeadMs);
    EXPECT_EQ(NextTickDelayMs(QDateTime(day, QTime(23, 59, 59, 500))), 500 + kTickLeadMs);
    EXPECT_EQ(NextTickDelayMs(QDateTime(day, QTime(18, 0, 0, 400)), kDeliveredTickPeriodMs),
              kDeliveredTickPeriodMs);
}

TEST(TickSchedule, FixedPeriodComesFromTheEnvironment) {
    struct Case {
        const char* value;
        std::optional<int> period;
    };
    const Case cases[] = {
        {"1", 1}, {"15", 15}, {"", std::nullopt}, {"15ms", std::nullopt}, {"-3", std::nullopt}};
    for (const Case& c : cases) {
        qputenv(kTickPeriodVariable, c.value);
        EXPECT_EQ(FixedTickPeriodFromEnvironment(), c.period) << '"' << c.value << '"';
    }
    qunsetenv(kTickPeriodVariable);
    EXPECT_EQ(FixedTickPeriodFromEnvironment(), std::nullopt);
}

}  // namespace
}  // namespace qeb::link
