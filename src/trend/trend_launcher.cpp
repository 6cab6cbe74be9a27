#include "trend/trend_launcher.h"

#include <QEvent>
#include <QIcon>
#include <QToolButton>
#include <QWidget>

#include "trend/trend_window.h"

namespace qeb::trend {

TrendLauncher::TrendLauncher(QWidget& mainWindow, core::Prompts& prompts,
                             std::function<bool()> isPolish)
    : QObject(&mainWindow),
      m_mainWindow(mainWindow),
      m_prompts(prompts),
      m_isPolish(std::move(isPolish)) {
    setObjectName(QStringLiteral("TrendLauncher"));
    m_button = new QToolButton(&mainWindow);
    m_button->setObjectName(QStringLiteral("TrendButton"));
    m_button->setGeometry(20, 173, 32, 32);
    m_button->setAutoRaise(true);
    m_button->setIcon(QIcon(QStringLiteral(":/glyph_trend.svg")));
    m_button->setIconSize(QSize(28, 28));
    m_button->setCursor(Qt::PointingHandCursor);
    m_button->setToolTip(QStringLiteral("Wykres pH"));
    connect(m_button, &QToolButton::clicked, this, &TrendLauncher::Open);
    // The language switch sets the button's hint; an open trend window changes its texts with it.
    m_button->installEventFilter(this);
}

bool TrendLauncher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_button && event->type() == QEvent::ToolTipChange && m_window != nullptr) {
        m_window->SetPolish(m_isPolish());
    }
    return QObject::eventFilter(watched, event);
}

void TrendLauncher::AddFrame(const link::StatusFrame& frame, const QDateTime& at) {
    m_series.Add(PointFromFrame(frame, at.toMSecsSinceEpoch()));
    if (m_window != nullptr) {
        m_window->LiveChanged();
    }
}

void TrendLauncher::Open() {
    if (m_window == nullptr) {
        // A child window of the main one: it closes with it and never keeps the program alive.
        m_window = new TrendWindow(m_series, m_prompts, &m_mainWindow);
    }
    m_window->SetPolish(m_isPolish());
    if (m_window->ShowsLive()) {
        m_window->Redraw();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

}  // namespace qeb::trend
