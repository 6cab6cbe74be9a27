#pragma once

#include <QtGlobal>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "link/status_frame.h"

namespace qeb::trend {

// One reading on the time line. A value the device did not give as a number is NaN and is left
// out of the drawing; the rest of the reading still counts.
struct TrendPoint {
    qint64 timeMs = 0;  // milliseconds since the epoch
    double ph = 0;
    double phMin = 0;
    double phMax = 0;
    double alarmLow = 0;   // PHmin - Alarm/100
    double alarmHigh = 0;  // PHmax + Alarm/100
    double ppm = 0;        // NaN while the KH is not set: the device then has no CO2 figure
    bool o2On = false;
    bool co2On = false;

    // Range and alarm limits equal (NaN equals NaN here: both unknown is no change).
    bool SameRange(const TrendPoint& other) const;
    bool SameOutputs(const TrendPoint& other) const {
        return o2On == other.o2On && co2On == other.co2On;
    }
};

// The readout shows a pH above its scale as ">10"; the trend draws it at that top.
inline constexpr double kPhAboveScale = 10.0;

// The reading of an accepted frame as the device sent it or as the readout left it ("7.05",
// ">10").
TrendPoint PointFromFrame(const link::StatusFrame& frame, qint64 timeMs);

// The device fields as text, in the order the device and the log give them; outputs "1"/"0".
struct ReadingTexts {
    std::string_view ph, phMin, phMax, ppm, kh, alarm;
    bool o2On = false;
    bool co2On = false;
};
TrendPoint PointFromTexts(const ReadingTexts& texts, qint64 timeMs);

// Keeps the first point of every `bucketMs` stretch, the lowest and highest pH of it, every
// point where the range, the alarm limits or an output changed, and the first and last point of
// `points`. Order is kept.
std::vector<TrendPoint> Thin(std::span<const TrendPoint> points, qint64 bucketMs);

// The drawing of `points` for `columns` pixel columns: per column the first, the lowest and the
// highest pH and the last point, in time order, plus every change of range or outputs. A full
// day on a chart a few hundred pixels wide needs no more.
std::vector<TrendPoint> ForDisplay(std::span<const TrendPoint> points, int columns);

// The readings of this run: points come in as frames are accepted. The newest day stays at
// full resolution; older points are thinned to a few per minute, and what is older than seven
// days leaves memory. Both are counted so the window can say so.
class TrendSeries {
public:
    static constexpr qint64 kKeepMs = 7LL * 24 * 60 * 60 * 1000;
    static constexpr qint64 kFullResolutionMs = 24LL * 60 * 60 * 1000;
    static constexpr qint64 kThinBucketMs = 60LL * 1000;
    // Thinning runs when this much has gathered beyond the full-resolution day, not per point.
    static constexpr qint64 kThinStepMs = 60LL * 60 * 1000;

    // A point older than the newest is taken as a clock set back: it starts a new time line
    // rather than drawing backwards.
    void Add(const TrendPoint& point);
    void Clear();

    const std::vector<TrendPoint>& Points() const { return m_points; }
    // Time up to which the points are thinned (0: nothing thinned yet).
    qint64 ThinnedBeforeMs() const { return m_thinnedBeforeMs; }
    std::size_t ThinnedAwayCount() const { return m_thinnedAway; }
    std::size_t DroppedCount() const { return m_dropped; }
    std::size_t MemoryBytes() const { return m_points.capacity() * sizeof(TrendPoint); }

private:
    void Maintain(qint64 newestMs);

    std::vector<TrendPoint> m_points;
    std::size_t m_thinnedEnd = 0;  // points before this index are thinned already
    qint64 m_thinnedBeforeMs = 0;
    std::size_t m_thinnedAway = 0;
    std::size_t m_dropped = 0;
};

}  // namespace qeb::trend
