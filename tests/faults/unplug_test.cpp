// The cable pulled and put back, again and again, while the connect switch stays on: the window
// closes the hung-up port quietly, idles while the device is away, reports only the scheduled
// reconnect that failed, and shows readings again after the first reconnect that finds the
// device back at the same path.

#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <iostream>

#include "faults/connected_window.h"
#include "faults/process_memory.h"

namespace qeb::faults {
namespace {

constexpr int kCycles = 100;
// Scheduled reconnects fall on seconds 05, 20, 35 and 50: every 15 seconds of the test clock.
constexpr int kReconnectPeriodS = 15;
constexpr int kFirstReconnectS = 5;
// Wall time per cycle in which the window is left to its own event loop while unplugged.
constexpr int kIdleWatchMs = 150;

bool IsReconnectSecond(int second) {
    return second % kReconnectPeriodS == kFirstReconnectS;
}

class Unplugging : public ConnectedWindow {};

TEST_F(Unplugging, HundredCyclesAtTheSamePathWithTheSwitchOn) {
    Connect();
    int second = 0;
    int ph = 700;
    // Two frames: the receiver cuts the first when the second arrives.
    for (int i = 0; i < 3 && !SendFrame(ph); ++i) {
        TickAt(++second);
    }
    ASSERT_EQ(ShownPh(), PhText(ph));

    double idleCpuMs = 0;
    double idleWallMs = 0;
    int worstReturnToReopenS = 0;
    int worstReturnToReadingsS = 0;
    long long rssAfterFirstTenKiB = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        const qsizetype errorsBefore = prompts.errors.size();

        // Pulled out a few seconds after a reconnect, at a different moment each cycle.
        port.Unplug();
        // Were the path to name the freed pseudo-terminal, a stranger's new one could answer
        // the reconnect.
        ASSERT_FALSE(QFileInfo(QString::fromStdString(port.LinkPath())).isSymLink());
        ASSERT_TRUE(test::WaitUntil([&] { return !window.ComPort().IsOpen(); }, 2000))
            << "the hang-up closes the port";
        EXPECT_EQ(prompts.errors.size(), errorsBefore) << "the hang-up itself shows nothing";

        // Away through exactly one scheduled reconnect, which fails and says so once.
        const double cpuBefore = test::ProcessCpuMs();
        QElapsedTimer wall;
        wall.start();
        test::RunEventLoopFor(kIdleWatchMs);
        idleCpuMs += test::ProcessCpuMs() - cpuBefore;
        idleWallMs += static_cast<double>(wall.elapsed());
        do {
            TickAt(++second);
        } while (!IsReconnectSecond(second));
        EXPECT_FALSE(window.ComPort().IsOpen());
        ASSERT_EQ(prompts.errors.size(), errorsBefore + 1);
        EXPECT_TRUE(prompts.errors.back().startsWith(QStringLiteral("Unable to open com port")))
            << prompts.errors.back().toStdString();

        // Back in the same second as that failed reconnect, or up to 14 seconds later.
        const int returnDelayS = cycle % kReconnectPeriodS;
        for (int s = 0; s < returnDelayS; ++s) {
            TickAt(++second);
        }
        port.Replug();
        const int returnedAt = second;
        ph = ph == 789 ? 700 : ph + 1;
        // The device talks every second; the window hears it from the first reconnect on.
        int reopenedAt = -1;
        bool readings = false;
        while (!readings && second - returnedAt <= 2 * kReconnectPeriodS) {
            TickAt(++second);
            if (reopenedAt < 0 && window.ComPort().IsOpen()) {
                reopenedAt = second;
            }
            readings = SendFrame(ph);
        }
        ASSERT_TRUE(readings) << "no readings " << second - returnedAt << " s after the return";
        EXPECT_EQ(prompts.errors.size(), errorsBefore + 1) << "nothing more to report";
        EXPECT_TRUE(IsReconnectSecond(reopenedAt));
        worstReturnToReopenS = std::max(worstReturnToReopenS, reopenedAt - returnedAt);
        worstReturnToReadingsS = std::max(worstReturnToReadingsS, second - returnedAt);
        // Unplugged again a few seconds after this reconnect, at a moment that moves.
        for (int s = 0; s < cycle % 7; ++s) {
            TickAt(++second);
            ASSERT_TRUE(SendFrame(ph));
        }
        if (cycle == 9) {
            rssAfterFirstTenKiB = ResidentKiB();
        }
    }

    const double idleCpuPercent = 100.0 * idleCpuMs / idleWallMs;
    const long long rssEndKiB = ResidentKiB();
    std::cout << "[ figures  ] " << kCycles << " unplug/replug cycles; CPU while unplugged "
              << idleCpuPercent << " % of a core over " << idleWallMs / 1000.0
              << " s; return to reopen at most " << worstReturnToReopenS
              << " s, to readings at most " << worstReturnToReadingsS << " s; RSS after cycle 10 "
              << rssAfterFirstTenKiB << " KiB, after cycle " << kCycles << " " << rssEndKiB
              << " KiB\n";
    // The window waits for events, it does not poll the vanished port.
    EXPECT_LT(idleCpuPercent, 5.0);
    EXPECT_LE(worstReturnToReopenS, kReconnectPeriodS);
    // The first reconnect after the return hears the device, and the receiver needs a second
    // frame before it cuts the first.
    EXPECT_LE(worstReturnToReadingsS, kReconnectPeriodS + 1);
}

}  // namespace
}  // namespace qeb::faults
