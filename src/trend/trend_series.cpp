#include "trend/trend_series.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/decimal_comma.h"
#include "core/errors.h"

namespace qeb::trend {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool SameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// A device number, also as the readout leaves it (point instead of comma) and as the log makes
// text of it for a spreadsheet (a leading apostrophe). Anything else is no number.
double Number(std::string_view text) {
    if (!text.empty() && text.front() == '\'') {
        text.remove_prefix(1);
    }
    std::string comma(text);
    std::replace(comma.begin(), comma.end(), '.', ',');
    try {
        return static_cast<double>(core::ParseDecimal(comma));
    } catch (const core::ConversionError&) {
        return kNaN;
    }
}

double Ph(std::string_view text) {
    if (text == ">10") {
        return kPhAboveScale;
    }
    return Number(text);
}

qint64 BucketOf(qint64 timeMs, qint64 bucketMs) {
    // Floor division, so that a bucket never straddles zero.
    qint64 bucket = timeMs / bucketMs;
    if (timeMs % bucketMs < 0) {
        --bucket;
    }
    return bucket;
}

// Marks what Thin and ForDisplay keep: per bucket its first, lowest and highest pH, and with
// `keepLast` its last point; every change of range or outputs; the first and last point.
std::vector<TrendPoint> Reduce(std::span<const TrendPoint> points, qint64 bucketMs, bool keepLast) {
    const std::size_t n = points.size();
    if (n <= 2 || bucketMs <= 0) {
        return {points.begin(), points.end()};
    }
    std::vector<bool> keep(n, false);
    keep.front() = true;
    keep.back() = true;

    std::size_t bucketFirst = 0;
    std::size_t lowest = n;
    std::size_t highest = n;
    auto closeBucket = [&](std::size_t end) {
        keep[bucketFirst] = true;
        if (keepLast) {
            keep[end - 1] = true;
        }
        if (lowest < n) {
            keep[lowest] = true;
            keep[highest] = true;
        }
    };
    qint64 bucket = BucketOf(points[0].timeMs, bucketMs);
    for (std::size_t i = 0; i < n; ++i) {
        const TrendPoint& point = points[i];
        const qint64 pointBucket = BucketOf(point.timeMs, bucketMs);
        if (pointBucket != bucket) {
            closeBucket(i);
            bucket = pointBucket;
            bucketFirst = i;
            lowest = n;
            highest = n;
        }
        if (i > 0 && (!point.SameRange(points[i - 1]) || !point.SameOutputs(points[i - 1]))) {
            keep[i] = true;
        }
        if (!std::isnan(point.ph)) {
            if (lowest == n || point.ph < points[lowest].ph) {
                lowest = i;
            }
            if (highest == n || point.ph > points[highest].ph) {
                highest = i;
            }
        }
    }
    closeBucket(n);

    std::vector<TrendPoint> kept;
    kept.reserve(static_cast<std::size_t>(std::count(keep.begin(), keep.end(), true)));
    for (std::size_t i = 0; i < n; ++i) {
        if (keep[i]) {
            kept.push_back(points[i]);
        }
    }
    return kept;
}

}  // namespace

bool TrendPoint::SameRange(const TrendPoint& other) const {
    return SameValue(phMin, other.phMin) && SameValue(phMax, other.phMax) &&
           SameValue(alarmLow, other.alarmLow) && SameValue(alarmHigh, other.alarmHigh);
}

TrendPoint PointFromTexts(const ReadingTexts& texts, qint64 timeMs) {
    TrendPoint point;
    point.timeMs = timeMs;
    point.ph = Ph(texts.ph);
    point.phMin = Number(texts.phMin);
    point.phMax = Number(texts.phMax);
    const double margin = Number(texts.alarm) / 100.0;
    point.alarmLow = point.phMin - margin;
    point.alarmHigh = point.phMax + margin;
    point.ppm = texts.kh == "0" ? kNaN : Number(texts.ppm);
    point.o2On = texts.o2On;
    point.co2On = texts.co2On;
    return point;
}

TrendPoint PointFromFrame(const link::StatusFrame& frame, qint64 timeMs) {
    return PointFromTexts({frame.PH, frame.PHmin, frame.PHmax, frame.PPM, frame.KH, frame.Alarm,
                           frame.OutO2 == "1", frame.OutCO2 == "1"},
                          timeMs);
}

std::vector<TrendPoint> Thin(std::span<const TrendPoint> points, qint64 bucketMs) {
    return Reduce(points, bucketMs, false);
}

std::vector<TrendPoint> ForDisplay(std::span<const TrendPoint> points, int columns) {
    // Up to four points per column draw the same picture as every point would.
    if (columns <= 0 || points.size() <= static_cast<std::size_t>(columns) * 4) {
        return {points.begin(), points.end()};
    }
    const qint64 span = points.back().timeMs - points.front().timeMs;
    const qint64 bucketMs = std::max<qint64>(1, span / columns + 1);
    return Reduce(points, bucketMs, true);
}

void TrendSeries::Add(const TrendPoint& point) {
    if (!m_points.empty() && point.timeMs < m_points.back().timeMs) {
        m_dropped += m_points.size();
        m_points.clear();
        m_thinnedEnd = 0;
        m_thinnedBeforeMs = 0;
    }
    m_points.push_back(point);
    Maintain(point.timeMs);
}

void TrendSeries::Clear() {
    *this = TrendSeries();
}

void TrendSeries::Maintain(qint64 newestMs) {
    auto byTime = [](const TrendPoint& p, qint64 t) { return p.timeMs < t; };

    const qint64 keepFromMs = newestMs - kKeepMs;
    if (m_points.front().timeMs < keepFromMs) {
        const auto end = std::lower_bound(m_points.begin(), m_points.end(), keepFromMs, byTime);
        const auto count = static_cast<std::size_t>(end - m_points.begin());
        m_points.erase(m_points.begin(), end);
        m_dropped += count;
        m_thinnedEnd -= std::min(m_thinnedEnd, count);
    }

    const qint64 fullFromMs = newestMs - kFullResolutionMs;
    const qint64 thinnedUpTo = std::max(m_thinnedBeforeMs, m_points.front().timeMs);
    if (fullFromMs - thinnedUpTo < kThinStepMs) {
        return;
    }
    const auto begin = m_points.begin() + static_cast<std::ptrdiff_t>(m_thinnedEnd);
    const auto end = std::lower_bound(begin, m_points.end(), fullFromMs, byTime);
    const std::vector<TrendPoint> thinned =
        Thin(std::span<const TrendPoint>(m_points.data() + m_thinnedEnd,
                                         static_cast<std::size_t>(end - begin)),
             kThinBucketMs);
    const auto keptEnd = std::copy(thinned.begin(), thinned.end(), begin);
    m_thinnedAway += static_cast<std::size_t>(end - keptEnd);
    m_points.erase(keptEnd, end);
    m_thinnedEnd += thinned.size();
    m_thinnedBeforeMs = fullFromMs;
}

}  // namespace qeb::trend
