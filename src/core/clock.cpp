#include "core/clock.h"

namespace qeb::core {

std::string LongTimeText(const QDateTime& moment) {
    return moment.time().toString(QStringLiteral("HH:mm:ss")).toStdString();
}

std::string ShortDateText(const QDateTime& moment) {
    return moment.date().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

std::string CompactTimeText(const QDateTime& moment) {
    return moment.time().toString(QStringLiteral("HHmmss")).toStdString();
}

}  // namespace qeb::core
