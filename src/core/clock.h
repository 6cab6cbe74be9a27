#pragma once

#include <QDateTime>
#include <string>

namespace qeb::core {

// The wall clock; tests set the time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

// The home regional formats: long time "18:00:00", short date "2016-10-01".
std::string LongTimeText(const QDateTime& moment);
std::string ShortDateText(const QDateTime& moment);
// Six digits hhnnss, as log file names carry the time.
std::string CompactTimeText(const QDateTime& moment);

}  // namespace qeb::core
