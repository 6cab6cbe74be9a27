#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <ctime>

namespace qeb::test {

// Runs the event loop until `done()` holds or `timeoutMs` passed; returns `done()`.
template <typename Predicate>
bool WaitUntil(Predicate done, int timeoutMs = 2000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

// Runs the event loop for `ms` without spinning, as the program's own loop would.
inline void RunEventLoopFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU time this process has used, in milliseconds.
inline double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace qeb::test
