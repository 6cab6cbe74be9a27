#pragma once

#include <QDateTime>

#include "core/clock.h"

namespace qeb::test {

// A clock that stands still until the test moves it.
class TestClock final : public core::Clock {
public:
    explicit TestClock(QDateTime now = QDateTime(QDate(2016, 10, 1), QTime(18, 0, 0)))
        : m_now(std::move(now)) {}

    QDateTime Now() const override { return m_now; }
    void Set(const QDateTime& now) { m_now = now; }
    void SetTime(int hour, int minute, int second) { m_now.setTime(QTime(hour, minute, second)); }
    void AdvanceSeconds(int seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

}  // namespace qeb::test
