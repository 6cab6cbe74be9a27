#include "link/supervision.h"

#include <QByteArray>
#include <QTime>
#include <algorithm>
#include <charconv>

#include "core/errors.h"

namespace qeb::link {

int NextTickDelayMs(const QDateTime& now, std::optional<int> fixedPeriodMs) {
    if (fixedPeriodMs) {
        return *fixedPeriodMs;
    }
    constexpr int kMsPerSecond = 1000;
    return kMsPerSecond - now.time().msec() + kTickLeadMs;
}

std::optional<int> FixedTickPeriodFromEnvironment() {
    const QByteArray value = qgetenv(kTickPeriodVariable);
    int period = 0;
    const char* end = value.constData() + value.size();
    const auto [stop, error] = std::from_chars(value.constData(), end, period);
    if (value.isEmpty() || error != std::errc{} || stop != end || period < 0) {
        return std::nullopt;
    }
    return period;
}

void Supervision::Connect() {
    m_port.Open();
    for (int i = 0; i < kConnectPauseCount; ++i) {
        m_sleeper.SleepMs(kConnectPauseMs);
    }
}

void Supervision::Disconnect() {
    m_port.Close();
}

bool Supervision::IsReconnectSecond(const std::string& seconds) {
    return seconds == "05" || seconds == "20" || seconds == "35" || seconds == "50";
}

TickResult Supervision::SupervisionTick(const std::string& longTime, bool portTextEmpty,
                                        bool switchOn) {
    TickResult result;
    m_currentMinute = longTime.size() >= 5 ? longTime.substr(3, 2) : std::string{};
    result.switchVisible = !portTextEmpty;
    if (!switchOn) {
        return result;
    }

    const std::string seconds = longTime.size() >= 8 ? longTime.substr(6, 2) : std::string{};
    if (IsReconnectSecond(seconds) && longTime != m_lastReconnectTime) {
        m_lastReconnectTime = longTime;
        result.reconnected = true;
        m_port.Close();
        // What was half received belongs to the closed session.
        m_receiver.ResetReceiveBuffer();
        m_receiver.ResetFrameLines();
        try {
            m_port.Open();
        } catch (const core::SerialError& error) {
            result.reconnectError = error.Shown();
            return result;
        }
        ClearSecondsSeen();
    }

    if (seconds.size() == 2 && seconds[1] >= '0' && seconds[1] <= '9') {
        m_secondsSeen[static_cast<std::size_t>(seconds[1] - '0')] = true;
    }
    m_secondsSeenCount =
        static_cast<int>(std::count(m_secondsSeen.begin(), m_secondsSeen.end(), true));

    if (m_secondsSeenCount == 10) {
        result.showZeros = m_receiver.NothingReceived();
        ClearSecondsSeen();
    }
    return result;
}

void Supervision::ClearSecondsSeen() {
    m_secondsSeen.fill(false);
    m_secondsSeenCount = 0;
}

}  // namespace qeb::link
