// qeb01-sim: a PH Controller Qeb-01 on a pseudo-terminal, for trying the program without the
// hardware. It streams status frames, applies the commands it receives and says what it got.

#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "qeb01-sim/sim_device.h"
#include "qeb01-sim/simulated_port.h"

namespace {

constexpr const char* kDefaultLinkPath = "/tmp/qeb01-sim";
constexpr std::int64_t kDefaultIntervalMs = 1000;
// 19200 baud, 8N1: ten bits on the wire per byte.
constexpr std::int64_t kFullRateBytesPerSecond = 1920;
// While nobody has the tty open the device cannot be written to; look again this often.
constexpr std::int64_t kListenerCheckMs = 50;

volatile sig_atomic_t g_stopSignal = 0;

void OnStopSignal(int signal) {
    g_stopSignal = signal;
}

struct Options {
    std::string linkPath = kDefaultLinkPath;
    std::int64_t intervalMs = kDefaultIntervalMs;
    bool fullRate = false;
    std::uint32_t seed = 1;
};

void PrintUsage(std::FILE* to) {
    std::fprintf(to,
                 "usage: qeb01-sim [--link PATH] [--interval-ms N] [--full-rate] [--seed N]\n"
                 "  --link PATH       where the device's tty is linked (default %s)\n"
                 "  --interval-ms N   one status frame every N ms (default %lld)\n"
                 "  --full-rate       frames back to back at 19200 baud (1,920 bytes/s)\n"
                 "  --seed N          the pH drift's seed, for repeatable runs (default 1)\n",
                 kDefaultLinkPath, static_cast<long long>(kDefaultIntervalMs));
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value, Number minimum) {
    Number parsed{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || parsed < minimum) {
        return false;
    }
    value = parsed;
    return true;
}

// 0 when the options are fine, otherwise the exit code.
int ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            PrintUsage(stdout);
            return -1;
        }
        if (option == "--full-rate") {
            options.fullRate = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "qeb01-sim: %s needs a value\n", argv[i]);
            PrintUsage(stderr);
            return 2;
        }
        const std::string_view value = argv[++i];
        bool ok = false;
        if (option == "--link") {
            options.linkPath = std::string(value);
            ok = !value.empty();
        } else if (option == "--interval-ms") {
            ok = ParseNumber<std::int64_t>(value, options.intervalMs, 1);
        } else if (option == "--seed") {
            ok = ParseNumber<std::uint32_t>(value, options.seed, 0);
        } else {
            std::fprintf(stderr, "qeb01-sim: unknown option %s\n", argv[i - 1]);
            PrintUsage(stderr);
            return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "qeb01-sim: bad value for %s: %s\n", argv[i - 1], argv[i]);
            return 2;
        }
    }
    return 0;
}

std::int64_t NowUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void Report(const std::vector<qeb::sim::ReceivedCommand>& commands) {
    for (const auto& command : commands) {
        std::printf("qeb01-sim: %s\n", command.Describe().c_str());
    }
    if (!commands.empty()) {
        std::fflush(stdout);
    }
}

int Run(const Options& options) {
    // The stop signals are only let through while waiting, so none is lost between a check of
    // the flag and the wait.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A program that closes its end mid-write must not kill the device.
    signal(SIGPIPE, SIG_IGN);

    qeb::sim::SimulatedPort port(options.linkPath);
    qeb::sim::SimDevice device(options.seed);
    std::printf("qeb01-sim: device at %s (%s)\n", port.LinkPath().c_str(), port.TtyPath().c_str());
    std::fflush(stdout);

    const std::int64_t intervalUs = options.intervalMs * 1000;
    std::int64_t nextFrameUs = NowUs();
    while (g_stopSignal == 0) {
        const std::int64_t nowUs = NowUs();
        if (nowUs >= nextFrameUs) {
            const std::string frame = device.NextFrame(nowUs / 1000);
            port.Write(frame);
            if (options.fullRate && !frame.empty()) {
                nextFrameUs +=
                    static_cast<std::int64_t>(frame.size()) * 1'000'000 / kFullRateBytesPerSecond;
            } else {
                nextFrameUs += options.fullRate ? kListenerCheckMs * 1000 : intervalUs;
            }
            // After a stall (a suspended process) the device does not race to catch up.
            nextFrameUs = std::max(nextFrameUs, nowUs - intervalUs);
            continue;
        }

        const bool listening = port.HasListener();
        std::int64_t waitUs = nextFrameUs - nowUs;
        if (!listening) {
            // A hang-up is reported at once by poll; waiting on it would spin.
            waitUs = std::min(waitUs, kListenerCheckMs * 1000);
        }
        pollfd fd{port.ControllerFd(), POLLIN, 0};
        const timespec timeout{static_cast<time_t>(waitUs / 1'000'000),
                               static_cast<long>(waitUs % 1'000'000) * 1000};
        const int ready = ppoll(listening ? &fd : nullptr, listening ? 1 : 0, &timeout, &waitMask);
        const std::int64_t nowMs = NowUs() / 1000;
        if (ready > 0 && (fd.revents & POLLIN) != 0) {
            Report(device.Receive(port.ReadAvailable(), nowMs));
        } else {
            Report(device.DropStalePartial(nowMs));
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int code = ParseOptions(argc, argv, options); code != 0) {
        return code < 0 ? 0 : code;
    }
    try {
        return Run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qeb01-sim: %s\n", error.what());
        return 1;
    }
}
