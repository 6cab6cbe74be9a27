// How long a frame takes from its last byte on the serial line to the readout's new text.
//
// Builds the program's real window, connects it through its own drop-down and switch to a
// pseudo-terminal, and plays the controller from a second thread: for each sample it clears the
// receive buffer with a line of noise, sends a frame, then the frame to be shown, and stamps
// CLOCK_MONOTONIC as soon as the write of its last byte has returned. On the window's thread a
// slot connected after the window's own received-characters handler sees the label's new text
// (the "text" figure), and an event filter sees the label painted with it (the "painted" figure).
//
//   qeb_latency_probe [--samples N]
//
// Prints one line per figure: "latency_<figure>_ms median=<ms> max=<ms> samples=<n> lost=<n>".
// A sample is lost when the window showed nothing within a second, as when the scheduled
// reconnect dropped the buffer between the two frames; it is sent again.

#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/clock.h"
#include "core/prompts.h"
#include "core/sleeper.h"
#include "core/unattended_prompts.h"
#include "ui/qeb_main_form.h"
#include "ui/rx_switch.h"

namespace {

std::int64_t MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::string Frame(const std::string& ph) {
    return ph + "\r\n6,90\r\n7,10\r\n25,3\r\n4\r\n20\r\n1\r\n0\r\n100\r\n14\r\n \r\n-\r\n";
}

void WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            std::perror("qeb_latency_probe: write");
            std::exit(1);
        }
        done += static_cast<std::size_t>(n);
    }
}

// What the two threads share about the sample in flight.
struct Sample {
    std::mutex mutex;
    QString expected;  // the label text the sample's frame gives
    std::int64_t lastByteNs = 0;
    std::int64_t textNs = 0;     // 0 until the label holds the text
    std::int64_t paintedNs = 0;  // 0 until the label was painted with it
};

struct Figures {
    double medianMs = 0;
    double maxMs = 0;
};

Figures Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 == 1 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return {median, ms.back()};
}

class PaintWatcher final : public QObject {
public:
    PaintWatcher(QLabel* label, Sample& sample) : m_label(label), m_sample(sample) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == m_label && event->type() == QEvent::Paint) {
            std::lock_guard lock(m_sample.mutex);
            if (m_sample.textNs != 0 && m_sample.paintedNs == 0 &&
                m_label->text() == m_sample.expected) {
                m_sample.paintedNs = MonotonicNs();
            }
        }
        return false;
    }

private:
    QLabel* m_label;
    Sample& m_sample;
};

}  // namespace

int main(int argc, char* argv[]) {
    int samples = 200;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--samples") == 0) {
            samples = std::max(1, std::atoi(argv[i + 1]));
        }
    }

    int controller = -1;
    int tty = -1;
    char ttyName[256] = {};
    if (::openpty(&controller, &tty, ttyName, nullptr, nullptr) != 0) {
        std::perror("qeb_latency_probe: openpty");
        return 1;
    }

    QApplication application(argc, argv);
    qeb::core::SystemClock clock;
    qeb::core::ThreadSleeper sleeper;
    qeb::core::UnattendedPrompts prompts(QStringLiteral("qeb_latency_probe"));
    qeb::ui::QebMainForm window({clock, sleeper, prompts});
    window.show();

    auto* label7 = window.findChild<QLabel*>(QStringLiteral("Label7"));
    auto* combo = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    auto* rxSwitch = window.findChild<qeb::ui::RxSwitch*>(QStringLiteral("RxSwitch1"));
    if (label7 == nullptr || combo == nullptr || rxSwitch == nullptr) {
        std::fprintf(stderr,
                     "qeb_latency_probe: the window lacks Label7, ComboBox1 or RxSwitch1\n");
        return 1;
    }

    Sample sample;
    PaintWatcher watcher(label7, sample);
    label7->installEventFilter(&watcher);
    // Connected after the window's own handler, so it runs right after it for the same bytes.
    QObject::connect(&window.ComPort(), &qeb::link::SerialLink::RxChar, &window, [&] {
        std::lock_guard lock(sample.mutex);
        if (sample.lastByteNs != 0 && sample.textNs == 0 && label7->text() == sample.expected) {
            sample.textNs = MonotonicNs();
        }
    });

    std::vector<double> textMs;
    std::vector<double> paintedMs;
    int lost = 0;
    std::atomic<bool> failed = false;

    // The user's way in: the tty's path typed into the drop-down, then a press on the switch
    // once the tick has shown it.
    combo->setEditText(QString::fromLocal8Bit(ttyName));
    window.ComboBox1Change();
    window.Timer1Timer();
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, rxSwitch->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rxSwitch, &press);
    if (!window.ComPort().IsOpen()) {
        std::fprintf(stderr, "qeb_latency_probe: the window did not open %s\n", ttyName);
        std::_Exit(1);
    }

    // The device starts talking once the link is up, as the connect pause expects.
    std::thread device([&] {
        int index = 0;
        while (static_cast<int>(textMs.size()) < samples && lost < samples) {
            ++index;
            const int cents = index % 100;
            const std::string two = {static_cast<char>('0' + cents / 10),
                                     static_cast<char>('0' + cents % 10)};
            // Noise long enough to start a cut: whatever the buffer held, it is empty after it.
            std::string noise;
            for (int line = 0; line < 30; ++line) {
                noise += "x\r\n";
            }
            WriteAll(controller, noise);
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
            WriteAll(controller, Frame("6," + two));
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
            {
                std::lock_guard lock(sample.mutex);
                sample.expected = QString::fromStdString("7." + two);
                sample.textNs = 0;
                sample.paintedNs = 0;
                sample.lastByteNs = 0;
            }
            const std::string shown = Frame("7," + two);
            WriteAll(controller, shown);
            const std::int64_t lastByte = MonotonicNs();
            {
                std::lock_guard lock(sample.mutex);
                sample.lastByteNs = lastByte;
            }
            bool done = false;
            for (int waited = 0; waited < 1000 && !done; ++waited) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                std::lock_guard lock(sample.mutex);
                done = sample.textNs != 0 && sample.paintedNs != 0;
            }
            std::lock_guard lock(sample.mutex);
            if (!done) {
                ++lost;
            } else {
                textMs.push_back(static_cast<double>(sample.textNs - lastByte) / 1e6);
                paintedMs.push_back(static_cast<double>(sample.paintedNs - lastByte) / 1e6);
            }
            sample.lastByteNs = 0;
            // Off the beat of the window's tick.
            std::this_thread::sleep_for(std::chrono::milliseconds(5 + index * 7 % 23));
        }
        failed = static_cast<int>(textMs.size()) < samples;
        QMetaObject::invokeMethod(&application, &QApplication::quit, Qt::QueuedConnection);
    });

    QApplication::exec();
    device.join();
    if (failed) {
        std::fprintf(stderr, "qeb_latency_probe: only %zu of %d samples, %d lost\n", textMs.size(),
                     samples, lost);
        return 1;
    }
    const Figures text = Summarise(textMs);
    const Figures painted = Summarise(paintedMs);
    std::printf("latency_text_ms median=%.3f max=%.3f samples=%zu lost=%d\n", text.medianMs,
                text.maxMs, textMs.size(), lost);
    std::printf("latency_painted_ms median=%.3f max=%.3f samples=%zu lost=%d\n", painted.medianMs,
                painted.maxMs, paintedMs.size(), lost);
    ::close(controller);
    ::close(tty);
    return 0;
}
