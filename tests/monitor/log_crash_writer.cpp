// Logs rows as fast as it can, one simulated minute apart, and after each row prints how many
// rows it has written, until it is killed. The crash test kills it and counts what survived.
#include <QDir>
#include <cstdio>
#include <string>

#include "monitor/measurement_log.h"
#include "support/test_clock.h"

int main(int argc, char** argv) {
    if (argc != 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: log_crash_writer <folder>\n");
        return 2;
    }
    constexpr int kRowLimit = 1000000;  // ends on its own if nobody kills it
    qeb::test::TestClock clock;
    qeb::monitor::MeasurementLog log(clock);
    qeb::link::StatusFrame frame{"7.05", "6,90", "7,10", "0",  "4", "20",
                                 "1",    "0",    "100",  "14", " ", "-"};
    for (int row = 1; row <= kRowLimit; ++row) {
        frame.PPM = std::to_string(row);
        const std::string minute = qeb::core::LongTimeText(clock.Now()).substr(3, 2);
        log.LogStep(frame, true, minute);
        std::printf("%d\n", row);
        std::fflush(stdout);
        clock.AdvanceSeconds(60);
    }
    return 0;
}
