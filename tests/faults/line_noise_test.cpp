// Noise at the full line rate for a minute, as a wrong baud rate or a failing radio link gives
// it: the receive buffer stays bounded, memory stays flat, nothing is reported, and the device's
// frames are taken again as soon as it talks sense.

#include <QElapsedTimer>
#include <algorithm>
#include <iostream>
#include <random>
#include <string>

#include "faults/connected_window.h"
#include "faults/process_memory.h"

namespace qeb::faults {
namespace {

constexpr int kNoiseDurationMs = 60'000;
// 19200 baud, 8N1: ten bits a byte.
constexpr int kLineRateBytesPerS = 1920;
constexpr int kWarmUpMs = 5'000;

struct NoiseKind {
    const char* name;
    bool lineBreaks;
};

// Test listings show the kind, not its bytes.
void PrintTo(const NoiseKind& kind, std::ostream* out) {
    *out << kind.name;
}

class LineNoise : public ConnectedWindow, public testing::WithParamInterface<NoiseKind> {};

// Random bytes; without line breaks they pile up until the buffer's size limit cuts them, with
// them (a CR LF every ten bytes or so) the 24-line rule cuts them.
std::string Noise(std::mt19937& random, std::size_t size, bool lineBreaks) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text;
    while (text.size() < size) {
        if (lineBreaks && byte(random) < 26) {
            text += "\r\n";
            continue;
        }
        const char c = static_cast<char>(byte(random));
        if (!lineBreaks && c == '\n') {
            continue;
        }
        text += c;
    }
    text.resize(size);
    return text;
}

TEST_P(LineNoise, AMinuteAtTheFullLineRate) {
    Connect();
    int second = 0;
    ASSERT_TRUE(SendFrame(705) || SendFrame(705));

    std::mt19937 random(GetParam().lineBreaks ? 19200u : 9600u);
    QElapsedTimer wall;
    wall.start();
    long long sent = 0;
    long long lost = 0;
    std::size_t largestBuffer = 0;
    long long rssWarmKiB = 0;
    long long heapWarm = 0;
    long long rssPeakKiB = 0;
    long long heapPeak = 0;
    qint64 nextTickMs = 1000;
    while (wall.elapsed() < kNoiseDurationMs) {
        const long long due = wall.elapsed() * kLineRateBytesPerS / 1000 - sent;
        if (due > 0) {
            const std::string noise =
                Noise(random, static_cast<std::size_t>(due), GetParam().lineBreaks);
            lost += static_cast<long long>(noise.size() - port.Write(noise));
            sent += due;
        }
        test::RunEventLoopFor(10);
        largestBuffer = std::max(largestBuffer, window.Receiver().ReceiveBuffer().size());
        if (wall.elapsed() >= nextTickMs) {
            // The clock goes on with the noise, so the scheduled reconnects happen in it.
            TickAt(++second);
            nextTickMs += 1000;
            if (wall.elapsed() >= kWarmUpMs) {
                const long long rss = ResidentKiB();
                const long long heap = HeapInUseBytes();
                if (rssWarmKiB == 0) {
                    rssWarmKiB = rss;
                    heapWarm = heap;
                }
                rssPeakKiB = std::max(rssPeakKiB, rss);
                heapPeak = std::max(heapPeak, heap);
            }
        }
    }
    const long long rssEndKiB = ResidentKiB();
    const long long heapEnd = HeapInUseBytes();
    std::cout << "[ figures  ] noise " << GetParam().name << ": " << sent << " bytes in "
              << wall.elapsed() / 1000.0 << " s (" << lost << " lost while the port was closed)"
              << "; largest receive buffer " << largestBuffer << " chars; RSS after "
              << kWarmUpMs / 1000 << " s " << rssWarmKiB << " KiB, peak " << rssPeakKiB
              << " KiB, end " << rssEndKiB << " KiB; heap in use after " << kWarmUpMs / 1000
              << " s " << heapWarm << " B, peak " << heapPeak << " B, end " << heapEnd << " B"
              << (kMemoryFiguresMeanSomething ? "" : " (AddressSanitizer: not comparable)") << "\n";

    EXPECT_LE(largestBuffer, link::FrameReceiver::kReceiveBufferLimitChars);
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
    if (kMemoryFiguresMeanSomething) {
        // The minute of noise is 115 KB: a heap that kept a tenth of it would fail the first
        // check. Resident pages move in steps of 4 KiB and Qt's own, so the second is coarse.
        EXPECT_LT(heapPeak - heapWarm, 8 * 1024);
        EXPECT_LT(rssPeakKiB - rssWarmKiB, 512);
    }

    // The device talks sense again: its frames are taken (the first may go into the cut of
    // what the noise left in the buffer).
    bool readings = false;
    for (int i = 0; i < 4 && !readings; ++i) {
        TickAt(++second);
        readings = SendFrame(712);
    }
    EXPECT_TRUE(readings) << "readout shows " << ShownPh();
}

INSTANTIATE_TEST_SUITE_P(Faults, LineNoise,
                         testing::Values(NoiseKind{"without line breaks", false},
                                         NoiseKind{"with line breaks", true}),
                         [](const testing::TestParamInfo<NoiseKind>& info) {
                             return info.param.lineBreaks ? "WithLineBreaks" : "WithoutLineBreaks";
                         });

}  // namespace
}  // namespace qeb::faults
