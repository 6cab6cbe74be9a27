#pragma once

#include <QDateTime>
#include <QObject>
#include <functional>

#include "core/prompts.h"
#include "link/status_frame.h"
#include "trend/trend_series.h"

class QToolButton;
class QWidget;

namespace qeb::trend {

class TrendWindow;

// The main window's way to the trend: the chart button on the device body, the readings of this
// run, and the trend window, made when first opened and kept for the life of the main window.
class TrendLauncher : public QObject {
    Q_OBJECT
public:
    // The button lies at (20, 173) of `mainWindow`, the twin of the show-folder button.
    TrendLauncher(QWidget& mainWindow, core::Prompts& prompts, std::function<bool()> isPolish);

    // An accepted frame as the readout and the log left it.
    void AddFrame(const link::StatusFrame& frame, const QDateTime& at);

    void Open();

    QToolButton* Button() const { return m_button; }
    const TrendSeries& Series() const { return m_series; }
    // Nothing until the button was first clicked.
    TrendWindow* Window() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_mainWindow;
    core::Prompts& m_prompts;
    std::function<bool()> m_isPolish;
    TrendSeries m_series;
    QToolButton* m_button = nullptr;
    TrendWindow* m_window = nullptr;
};

}  // namespace qeb::trend
