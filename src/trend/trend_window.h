#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "core/prompts.h"
#include "trend/trend_series.h"

class QAreaSeries;
class QChart;
class QChartView;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QTimer;
class QValueAxis;

namespace qeb::trend {

// The pH trend: the readings of this run as they arrive, or those of a measurement log file,
// against the range (a band), the alarm limits (dashed), CO2 on a second axis and the periods of
// the O2 and CO2 outputs (shaded strips).
class TrendWindow : public QWidget {
    Q_OBJECT
public:
    TrendWindow(const TrendSeries& live, core::Prompts& prompts, QWidget* parent = nullptr);

    void SetPolish(bool polish);
    bool IsPolish() const { return m_polish; }

    // A point was added to the live series; redrawn soon, several frames at once.
    void LiveChanged();
    // Back from a log file to the readings of this run.
    void ShowLive();
    bool ShowsLive() const { return m_showsLive; }

    void OpenLog();
    void SavePicture();

    // Rebuilds every series from the points shown; the window repaints after it.
    void Redraw();

    QChartView* ChartView() const { return m_view; }
    // The points the pH line was last drawn from.
    std::size_t DrawnPointCount() const { return m_drawnCount; }

    static constexpr int kLiveRedrawDelayMs = 500;

private:
    const std::vector<TrendPoint>& Shown() const;
    void ApplyTexts();
    void UpdateStatus();
    QString LogRefusal(const QString& path, const class LogReadError& error) const;

    const TrendSeries& m_live;
    core::Prompts& m_prompts;
    bool m_polish = true;
    bool m_showsLive = true;
    std::vector<TrendPoint> m_logPoints;
    QString m_logName;
    std::size_t m_drawnCount = 0;

    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QDateTimeAxis* m_timeAxis = nullptr;
    QValueAxis* m_phAxis = nullptr;
    QValueAxis* m_ppmAxis = nullptr;
    QValueAxis* m_stripAxis = nullptr;
    QLineSeries* m_ph = nullptr;
    QLineSeries* m_ppm = nullptr;
    QLineSeries* m_rangeLow = nullptr;
    QLineSeries* m_rangeHigh = nullptr;
    QAreaSeries* m_range = nullptr;
    QLineSeries* m_alarmLow = nullptr;
    QLineSeries* m_alarmHigh = nullptr;
    QLineSeries* m_o2Edge = nullptr;
    QAreaSeries* m_o2 = nullptr;
    QLineSeries* m_co2Edge = nullptr;
    QAreaSeries* m_co2 = nullptr;
    QPushButton* m_openLog = nullptr;
    QPushButton* m_savePicture = nullptr;
    QPushButton* m_liveButton = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_liveTimer = nullptr;
};

}  // namespace qeb::trend
