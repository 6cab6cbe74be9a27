#pragma once

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "link/status_frame.h"

namespace qeb::test {

struct TimedFrame {
    qint64 timeMs;
    link::StatusFrame frame;
};

// Text of a number as the device sends it: decimal comma, `decimals` places.
inline std::string DeviceNumber(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string s(text);
    for (char& c : s) {
        if (c == '.') {
            c = ',';
        }
    }
    return s;
}

// A tank through a day as the controller reports it, one accepted frame every `stepS` seconds:
// plants raise the pH under the lights and lower it at night, the controller doses CO2 above the
// range and aerates below it, and at 14:00 the user widens the range from 6,90-7,10 to 6,90-7,20.
inline std::vector<TimedFrame> SimulatedDay(const QDateTime& start, int stepS = 2,
                                            unsigned seed = 7) {
    std::minstd_rand random(seed);
    std::normal_distribution<double> noise(0.0, 0.004);
    std::vector<TimedFrame> frames;
    const int count = 24 * 60 * 60 / stepS;
    frames.reserve(static_cast<std::size_t>(count));
    double ph = 7.02;
    bool co2 = false;
    bool o2 = false;
    const double kh = 4;
    for (int i = 0; i < count; ++i) {
        const QDateTime moment = start.addSecs(static_cast<qint64>(i) * stepS);
        const double hour = moment.time().msecsSinceStartOfDay() / 3600000.0;
        const double phMin = 6.90;
        const double phMax = hour >= 14.0 ? 7.20 : 7.10;
        const double mid = (phMin + phMax) / 2;
        const bool lightsOn = hour >= 8.0 && hour < 20.0;
        ph += (lightsOn ? 0.00005 : -0.00003) * stepS;
        ph += (co2 ? -0.00016 : 0.0) * stepS + (o2 ? 0.00008 : 0.0) * stepS;
        ph += noise(random) * 0.3;
        co2 = co2 ? ph > mid : ph > phMax;
        o2 = o2 ? ph < mid : ph < phMin;
        ph = std::clamp(ph, 6.0, 8.5);
        const double ppm = 3.0 * kh * std::pow(10.0, 7.0 - ph);
        frames.push_back({moment.toMSecsSinceEpoch(),
                          {DeviceNumber(ph, 2), DeviceNumber(phMin, 2), DeviceNumber(phMax, 2),
                           DeviceNumber(ppm, 1), "4", "20", o2 ? "1" : "0", co2 ? "1" : "0", "100",
                           "14", " ", "-"}});
    }
    return frames;
}

}  // namespace qeb::test
