#include "core/sleeper.h"

#include <QThread>

namespace qeb::core {

void ThreadSleeper::SleepMs(int milliseconds) {
    if (milliseconds > 0) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
}

}  // namespace qeb::core
