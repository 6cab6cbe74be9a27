#include "trend/trend_window.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "trend/log_reader.h"

namespace qeb::trend {
namespace {

const QColor kPhColor(0x1a, 0x31, 0x60);
const QColor kPpmColor(0xd3, 0x7a, 0x12);
const QColor kRangeColor(0x8f, 0xcf, 0x7a, 0x70);
const QColor kAlarmColor(0xc0, 0x39, 0x2b);
const QColor kO2Color(0x3d, 0x8e, 0xd8, 0x38);
const QColor kCo2Color(0x2e, 0x8b, 0x57, 0x38);

constexpr qint64 kMinimumSpanMs = 60 * 1000;
constexpr qint64 kHourMs = 60LL * 60 * 1000;
constexpr qint64 kDayMs = 24 * kHourMs;
constexpr double kPhMargin = 0.05;

struct Texts {
    const char* polish;
    const char* english;
};

QString Pick(bool polish, const Texts& texts) {
    return QString::fromUtf8(polish ? texts.polish : texts.english);
}

constexpr Texts kTitle{"Wykres pH - PH Controller Qeb-01", "pH chart - PH Controller Qeb-01"};
constexpr Texts kOpenLog{"Otwórz plik pomiarów…", "Open log…"};
constexpr Texts kSavePicture{"Zapisz obraz…", "Save picture…"};
constexpr Texts kLive{"Bieżące pomiary", "This run"};
constexpr Texts kPhName{"pH", "pH"};
constexpr Texts kPpmName{"CO2 [ppm]", "CO2 [ppm]"};
constexpr Texts kRangeName{"Zakres pH", "pH range"};
constexpr Texts kAlarmName{"Próg alarmu", "Alarm limits"};
constexpr Texts kO2Name{"O2 włączone", "O2 on"};
constexpr Texts kCo2Name{"CO2 włączone", "CO2 on"};
constexpr Texts kTimeAxis{"Czas", "Time"};
constexpr Texts kLogFilter{"Pliki pomiarów Qeb-01 (*.csv)", "Qeb-01 measurement logs (*.csv)"};
constexpr Texts kPictureFilter{"Obraz PNG (*.png)", "PNG picture (*.png)"};
constexpr Texts kNotALog{"Ten plik nie jest plikiem pomiarów programu Qeb-01:",
                         "This file is not a measurement log of Qeb-01:"};
constexpr Texts kCannotOpen{"Nie można otworzyć pliku:", "The file cannot be opened:"};
constexpr Texts kPictureFailed{"Nie można zapisać obrazu:", "The picture cannot be written:"};

// Points of a step line: a value holds until the next change.
void AppendStep(QList<QPointF>& line, qreal x, qreal y) {
    if (!line.isEmpty() && line.back().y() != y) {
        line.append(QPointF(x, line.back().y()));
    }
    line.append(QPointF(x, y));
}

bool Known(double value) {
    return !std::isnan(value);
}

}  // namespace

TrendWindow::TrendWindow(const TrendSeries& live, core::Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), m_live(live), m_prompts(prompts) {
    setObjectName(QStringLiteral("TrendWindow"));
    resize(900, 520);

    m_chart = new QChart();
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->setMargins(QMargins(4, 4, 4, 4));

    m_timeAxis = new QDateTimeAxis();
    m_timeAxis->setTickCount(9);
    m_phAxis = new QValueAxis();
    m_phAxis->setLabelFormat(QStringLiteral("%.2f"));
    m_phAxis->setTickCount(9);
    m_ppmAxis = new QValueAxis();
    m_ppmAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_ppmAxis->setTickCount(9);
    m_ppmAxis->setGridLineVisible(false);
    m_ppmAxis->setLinePenColor(kPpmColor);
    m_ppmAxis->setLabelsColor(kPpmColor);
    m_stripAxis = new QValueAxis();
    m_stripAxis->setRange(0, 1);
    m_stripAxis->setVisible(false);
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_phAxis, Qt::AlignLeft);
    m_chart->addAxis(m_ppmAxis, Qt::AlignRight);
    m_chart->addAxis(m_stripAxis, Qt::AlignRight);

    auto attach = [this](QAbstractSeries* series, QValueAxis* valueAxis) {
        m_chart->addSeries(series);
        series->attachAxis(m_timeAxis);
        series->attachAxis(valueAxis);
    };
    auto strip = [&](QLineSeries*& edge, QAreaSeries*& area, const QColor& color) {
        edge = new QLineSeries(this);
        area = new QAreaSeries(edge);
        area->setColor(color);
        area->setBorderColor(Qt::transparent);
        attach(area, m_stripAxis);
    };
    // Drawn in this order: strips under the band, the band under the lines.
    strip(m_o2Edge, m_o2, kO2Color);
    strip(m_co2Edge, m_co2, kCo2Color);

    m_rangeLow = new QLineSeries(this);
    m_rangeHigh = new QLineSeries(this);
    m_range = new QAreaSeries(m_rangeHigh, m_rangeLow);
    m_range->setColor(kRangeColor);
    m_range->setBorderColor(kRangeColor.darker(140));
    attach(m_range, m_phAxis);

    QPen alarmPen(kAlarmColor);
    alarmPen.setStyle(Qt::DashLine);
    alarmPen.setWidthF(1.2);
    m_alarmLow = new QLineSeries();
    m_alarmHigh = new QLineSeries();
    for (QLineSeries* limit : {m_alarmLow, m_alarmHigh}) {
        limit->setPen(alarmPen);
        attach(limit, m_phAxis);
    }

    m_ppm = new QLineSeries();
    QPen ppmPen(kPpmColor);
    ppmPen.setWidthF(1.0);
    m_ppm->setPen(ppmPen);
    attach(m_ppm, m_ppmAxis);

    m_ph = new QLineSeries();
    QPen phPen(kPhColor);
    phPen.setWidthF(1.6);
    m_ph->setPen(phPen);
    attach(m_ph, m_phAxis);

    // One legend entry for the two limits.
    for (QLegendMarker* marker : m_chart->legend()->markers(m_alarmHigh)) {
        marker->setVisible(false);
    }

    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("TrendChart"));
    m_view->setRenderHint(QPainter::Antialiasing, false);

    m_openLog = new QPushButton(this);
    m_openLog->setObjectName(QStringLiteral("OpenLogButton"));
    connect(m_openLog, &QPushButton::clicked, this, &TrendWindow::OpenLog);
    m_savePicture = new QPushButton(this);
    m_savePicture->setObjectName(QStringLiteral("SavePictureButton"));
    connect(m_savePicture, &QPushButton::clicked, this, &TrendWindow::SavePicture);
    m_liveButton = new QPushButton(this);
    m_liveButton->setObjectName(QStringLiteral("LiveButton"));
    m_liveButton->setEnabled(false);
    connect(m_liveButton, &QPushButton::clicked, this, &TrendWindow::ShowLive);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("TrendStatus"));

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(m_liveButton);
    buttons->addWidget(m_openLog);
    buttons->addWidget(m_savePicture);
    buttons->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);

    m_liveTimer = new QTimer(this);
    m_liveTimer->setSingleShot(true);
    connect(m_liveTimer, &QTimer::timeout, this, [this] {
        if (m_showsLive) {
            Redraw();
        }
    });

    ApplyTexts();
    Redraw();
}

void TrendWindow::SetPolish(bool polish) {
    if (polish != m_polish) {
        m_polish = polish;
        ApplyTexts();
    }
}

void TrendWindow::ApplyTexts() {
    setWindowTitle(Pick(m_polish, kTitle));
    m_openLog->setText(Pick(m_polish, kOpenLog));
    m_savePicture->setText(Pick(m_polish, kSavePicture));
    m_liveButton->setText(Pick(m_polish, kLive));
    m_ph->setName(Pick(m_polish, kPhName));
    m_ppm->setName(Pick(m_polish, kPpmName));
    m_range->setName(Pick(m_polish, kRangeName));
    m_alarmLow->setName(Pick(m_polish, kAlarmName));
    m_o2->setName(Pick(m_polish, kO2Name));
    m_co2->setName(Pick(m_polish, kCo2Name));
    m_timeAxis->setTitleText(Pick(m_polish, kTimeAxis));
    m_phAxis->setTitleText(Pick(m_polish, kPhName));
    m_ppmAxis->setTitleText(Pick(m_polish, kPpmName));
    UpdateStatus();
}

const std::vector<TrendPoint>& TrendWindow::Shown() const {
    return m_showsLive ? m_live.Points() : m_logPoints;
}

void TrendWindow::LiveChanged() {
    if (m_showsLive && isVisible() && !m_liveTimer->isActive()) {
        m_liveTimer->start(kLiveRedrawDelayMs);
    }
}

void TrendWindow::ShowLive() {
    m_showsLive = true;
    m_logPoints.clear();
    m_logName.clear();
    m_liveButton->setEnabled(false);
    Redraw();
}

void TrendWindow::Redraw() {
    const std::vector<TrendPoint>& all = Shown();
    // The plot is never wider than the view; a few points per pixel column draw the same line.
    const int columns = std::max(200, m_view->width());
    const std::vector<TrendPoint> points = ForDisplay(all, columns);
    m_drawnCount = points.size();

    QList<QPointF> ph, ppm, low, high, alarmLow, alarmHigh, o2, co2;
    ph.reserve(static_cast<qsizetype>(points.size()));
    ppm.reserve(static_cast<qsizetype>(points.size()));
    double phBottom = std::numeric_limits<double>::infinity();
    double phTop = -phBottom;
    double ppmTop = 0;
    auto widen = [&](double value) {
        if (Known(value)) {
            phBottom = std::min(phBottom, value);
            phTop = std::max(phTop, value);
        }
    };
    for (const TrendPoint& p : points) {
        const auto x = static_cast<qreal>(p.timeMs);
        if (Known(p.ph)) {
            ph.append(QPointF(x, p.ph));
        }
        if (Known(p.ppm)) {
            ppm.append(QPointF(x, p.ppm));
            ppmTop = std::max(ppmTop, p.ppm);
        }
        if (Known(p.phMin) && Known(p.phMax)) {
            AppendStep(low, x, p.phMin);
            AppendStep(high, x, p.phMax);
        }
        if (Known(p.alarmLow) && Known(p.alarmHigh)) {
            AppendStep(alarmLow, x, p.alarmLow);
            AppendStep(alarmHigh, x, p.alarmHigh);
        }
        AppendStep(o2, x, p.o2On ? 1.0 : 0.0);
        AppendStep(co2, x, p.co2On ? 1.0 : 0.0);
        widen(p.ph);
        widen(p.alarmLow);
        widen(p.alarmHigh);
    }
    m_ph->replace(ph);
    m_ppm->replace(ppm);
    m_rangeLow->replace(low);
    m_rangeHigh->replace(high);
    m_alarmLow->replace(alarmLow);
    m_alarmHigh->replace(alarmHigh);
    m_o2Edge->replace(o2);
    m_co2Edge->replace(co2);

    qint64 first = QDateTime::currentMSecsSinceEpoch();
    qint64 last = first;
    if (!points.empty()) {
        first = points.front().timeMs;
        last = points.back().timeMs;
    }
    if (last - first < kMinimumSpanMs) {
        last = first + kMinimumSpanMs;
    }
    // Whole hours at the ends put the ticks on readable times (00:00, 03:00, ...).
    if (last - first > kHourMs) {
        first -= first % kHourMs;
        last += (kHourMs - last % kHourMs) % kHourMs;
    }
    m_timeAxis->setFormat(last - first > kDayMs ? QStringLiteral("dd.MM HH:mm")
                                                : QStringLiteral("HH:mm"));
    m_timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(first),
                         QDateTime::fromMSecsSinceEpoch(last));
    if (phBottom > phTop) {
        phBottom = 6.0;
        phTop = 8.0;
    }
    m_phAxis->setRange(phBottom - kPhMargin, phTop + kPhMargin);
    m_ppmAxis->setRange(0, ppmTop > 0 ? std::ceil(ppmTop * 1.1) : 50.0);
    UpdateStatus();
}

void TrendWindow::UpdateStatus() {
    const std::vector<TrendPoint>& all = Shown();
    const QLocale locale(m_polish ? QLocale::Polish : QLocale::English);
    QString text;
    if (m_showsLive) {
        text = (m_polish ? QStringLiteral("%1 pomiarów tej sesji")
                         : QStringLiteral("%1 readings of this run"))
                   .arg(locale.toString(static_cast<qulonglong>(all.size())));
        if (m_live.ThinnedAwayCount() > 0 || m_live.DroppedCount() > 0) {
            text += m_polish ? QStringLiteral(
                                   "; starsze niż doba przerzedzone (%1), starsze niż 7 dni "
                                   "usunięte (%2)")
                             : QStringLiteral(
                                   "; older than a day thinned (%1), older than 7 days "
                                   "removed (%2)");
            text = text.arg(locale.toString(static_cast<qulonglong>(m_live.ThinnedAwayCount())),
                            locale.toString(static_cast<qulonglong>(m_live.DroppedCount())));
        }
    } else {
        text = (m_polish ? QStringLiteral("%1: %2 wierszy") : QStringLiteral("%1: %2 rows"))
                   .arg(m_logName, locale.toString(static_cast<qulonglong>(all.size())));
    }
    m_status->setText(text);
}

QString TrendWindow::LogRefusal(const QString& path, const LogReadError& error) const {
    using R = LogReadError::Reason;
    const QString name = QFileInfo(path).fileName();
    if (error.reason() == R::CannotOpen) {
        return Pick(m_polish, kCannotOpen) + QStringLiteral("\n") + name + QStringLiteral("\n\n") +
               QString::fromStdString(error.what());
    }
    QString reason;
    switch (error.reason()) {
        case R::NotLogName:
            reason = m_polish ? QStringLiteral(
                                    "Nazwa pliku nie ma postaci „2016-10-01 "
                                    "{183005}.csv”, jaką program nadaje plikom pomiarów.")
                              : QStringLiteral(
                                    "Its name is not of the form \"2016-10-01 "
                                    "{183005}.csv\" that the program gives its logs.");
            break;
        case R::TooLarge:
            reason = m_polish ? QStringLiteral(
                                    "Plik jest o wiele większy niż jakikolwiek plik "
                                    "pomiarów.")
                              : QStringLiteral("It is far larger than any measurement log.");
            break;
        case R::NoHeader:
            reason = m_polish ? QStringLiteral(
                                    "Pierwszy wiersz nie jest nagłówkiem pliku pomiarów "
                                    "(Time;PH;PHmin;...).")
                              : QStringLiteral(
                                    "Its first line is not the header of a measurement "
                                    "log (Time;PH;PHmin;...).");
            break;
        case R::BadRow:
            reason = (m_polish ? QStringLiteral("Wiersz %1 nie jest wierszem pomiaru.")
                               : QStringLiteral("Line %1 is not a row of readings."))
                         .arg(error.line());
            break;
        case R::CannotOpen:
            break;
    }
    return Pick(m_polish, kNotALog) + QStringLiteral("\n") + name + QStringLiteral("\n\n") + reason;
}

void TrendWindow::OpenLog() {
    const std::optional<QString> path = m_prompts.ChooseFileToOpen(
        {QDir::currentPath(), Pick(m_polish, kLogFilter), QString(), QStringLiteral("csv")});
    if (!path) {
        return;
    }
    try {
        m_logPoints = ReadMeasurementLog(*path);
    } catch (const LogReadError& error) {
        // What was shown stays shown.
        m_prompts.ShowMessage(LogRefusal(*path, error));
        return;
    }
    m_logName = QFileInfo(*path).fileName();
    m_showsLive = false;
    m_liveButton->setEnabled(true);
    Redraw();
}

void TrendWindow::SavePicture() {
    const std::optional<QString> path =
        m_prompts.ChooseFileToSave({QDir::currentPath(), Pick(m_polish, kPictureFilter),
                                    QStringLiteral("qeb01-ph"), QStringLiteral("png")});
    if (!path) {
        return;
    }
    const QPixmap picture = m_view->grab();
    if (!picture.save(*path, "PNG")) {
        m_prompts.ShowError(Pick(m_polish, kPictureFailed) + QStringLiteral("\n") + *path);
    }
}

}  // namespace qeb::trend
