#pragma once

#include <QDateTime>
#include <array>
#include <optional>
#include <string>

#include "core/sleeper.h"
#include "link/frame_receiver.h"
#include "link/serial_link.h"

namespace qeb::link {

// Everything the tick drives changes only when the clock's second changes, so the tick fires
// once per second, a little after the change.
constexpr int kTickLeadMs = 5;
// The period the tick used to ask for, and the period the original platform delivered instead;
// kept so that a benchmark can run the program at either for comparison.
constexpr int kRequestedTickPeriodMs = 1;
constexpr int kDeliveredTickPeriodMs = 15;
// A whole number of milliseconds here makes the tick run at that fixed period.
constexpr const char* kTickPeriodVariable = "QEB_TICK_PERIOD_MS";

// How long the single-shot tick timer waits from `now`: until the next change of the clock's
// second plus the lead, or the fixed period when one is given.
int NextTickDelayMs(const QDateTime& now, std::optional<int> fixedPeriodMs = std::nullopt);
// The fixed period asked for in the environment, if any.
std::optional<int> FixedTickPeriodFromEnvironment();

// What one tick asks of the window.
struct TickResult {
    bool switchVisible = false;
    // The scheduled close and reopen ran during this tick.
    bool reconnected = false;
    // Set when the reopen failed; the tick ended there and the port stays closed.
    std::optional<std::string> reconnectError;
    // The device has been silent since the last reconnect: show the zero readout.
    bool showZeros = false;
};

// Opens and closes the port for the connect switch and watches the open link from the tick:
// four times a minute it closes and reopens the port, and it notices a device that has been
// silent since.
class Supervision {
public:
    static constexpr int kConnectPauseCount = 30;
    static constexpr int kConnectPauseMs = 10;

    Supervision(SerialLink& port, FrameReceiver& receiver, core::Sleeper& sleeper)
        : m_port(port), m_receiver(receiver), m_sleeper(sleeper) {}

    // Opens the port and gives the device time to start talking; throws core::SerialError.
    void Connect();
    void Disconnect();

    // `longTime` is the clock as "HH:mm:ss".
    TickResult SupervisionTick(const std::string& longTime, bool portTextEmpty, bool switchOn);

    // The minutes of the wall clock as of the last tick; empty before the first.
    const std::string& CurrentMinute() const { return m_currentMinute; }
    const std::array<bool, 10>& SecondsSeen() const { return m_secondsSeen; }
    int SecondsSeenCount() const { return m_secondsSeenCount; }

    static bool IsReconnectSecond(const std::string& seconds);

private:
    void ClearSecondsSeen();

    SerialLink& m_port;
    FrameReceiver& m_receiver;
    core::Sleeper& m_sleeper;
    std::string m_currentMinute;
    std::array<bool, 10> m_secondsSeen{};
    int m_secondsSeenCount = 0;
    // The clock text of the last scheduled reconnect: one reconnect per reconnect second.
    std::string m_lastReconnectTime;
};

}  // namespace qeb::link
