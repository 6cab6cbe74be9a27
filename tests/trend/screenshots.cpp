// Makes the README's pictures from the real windows: the main window connected to the device
// simulator, and the trend window holding a simulated day.
//   qeb01-screenshots OUTPUT_FOLDER
#include <unistd.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <string>

#include "core/clock.h"
#include "core/sleeper.h"
#include "core/unattended_prompts.h"
#include "qeb01-sim/sim_device.h"
#include "qeb01-sim/simulated_port.h"
#include "trend/simulated_day.h"
#include "trend/trend_launcher.h"
#include "trend/trend_window.h"
#include "ui/qeb_main_form.h"
#include "ui/rx_switch.h"

namespace {

void RunFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(QWidget& widget, const QString& path) {
    const bool saved = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool ConnectedMainWindow(const QString& folder) {
    const std::string link = "/tmp/qeb01-screenshots-" + std::to_string(::getpid());
    qeb::sim::SimulatedPort port(link);
    qeb::sim::SimDevice device(3);
    qeb::sim::DeviceSettings settings = device.Settings();
    settings.kh = 4;
    device.SetSettings(settings);

    qeb::core::SystemClock clock;
    qeb::core::ThreadSleeper sleeper;
    qeb::core::UnattendedPrompts prompts(QStringLiteral("qeb01-screenshots"));
    qeb::ui::QebMainForm window({clock, sleeper, prompts});
    window.show();
    RunFor(200);

    auto* combo = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    combo->setEditText(QString::fromStdString(link));
    window.ComboBox1Change();
    window.Timer1Timer();
    auto* sw = window.findChild<qeb::ui::RxSwitch*>(QStringLiteral("RxSwitch1"));
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, sw->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(sw, &press);
    if (!window.ComPort().IsOpen()) {
        std::fprintf(stderr, "qeb01-screenshots: the simulator's port did not open\n");
        return false;
    }
    // One frame a second, as the device sends them; the program takes every second one.
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer frames;
    QObject::connect(&frames, &QTimer::timeout,
                     [&] { port.Write(device.NextFrame(elapsed.elapsed())); });
    frames.start(1000);
    RunFor(6500);
    frames.stop();
    return Save(window, folder + QStringLiteral("/main-window.png"));
}

bool TrendOfADay(const QString& folder) {
    qeb::core::SystemClock clock;
    qeb::core::ThreadSleeper sleeper;
    qeb::core::UnattendedPrompts prompts(QStringLiteral("qeb01-screenshots"));
    qeb::ui::QebMainForm window({clock, sleeper, prompts});
    window.Image15Click();
    auto* launcher = window.findChild<qeb::trend::TrendLauncher*>(QStringLiteral("TrendLauncher"));
    const QDateTime start(QDate(2016, 10, 1), QTime(0, 0, 0));
    for (const auto& f : qeb::test::SimulatedDay(start)) {
        launcher->AddFrame(f.frame, QDateTime::fromMSecsSinceEpoch(f.timeMs));
    }
    window.findChild<QToolButton*>(QStringLiteral("TrendButton"))->click();
    qeb::trend::TrendWindow* trend = launcher->Window();
    trend->resize(1000, 560);
    RunFor(300);
    trend->Redraw();
    RunFor(300);
    return Save(*trend, folder + QStringLiteral("/trend-window.png"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: qeb01-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    try {
        const bool main = ConnectedMainWindow(folder);
        const bool trend = TrendOfADay(folder);
        return main && trend ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qeb01-screenshots: %s\n", error.what());
        return 1;
    }
}
