// What one received frame costs on its way from the port's bytes to the readout and the log row,
// and what a settings command costs to build. The line carries at most about 40 frames a second;
// the path should manage a million on one core.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "link/device_commands.h"
#include "link/frame_receiver.h"
#include "link/status_frame.h"
#include "monitor/measurement_log.h"
#include "monitor/readout.h"
#include "settings/settings_record.h"

namespace {

using qeb::link::FrameReceiver;

// One frame as the device sends it: twelve CR LF lines, the last one the "-" marker. The pH
// varies, so that consecutive frames differ as they do on the line.
std::string DeviceFrame(int index) {
    const int cents = index % 100;
    std::string ph = "7,";
    ph += static_cast<char>('0' + cents / 10);
    ph += static_cast<char>('0' + cents % 10);
    return ph + "\r\n6,90\r\n7,10\r\n25,3\r\n4\r\n20\r\n1\r\n0\r\n100\r\n14\r\n \r\n-\r\n";
}

// A stretch of the stream as the device sends it back to back.
std::string DeviceStream(int frames) {
    std::string stream;
    for (int i = 0; i < frames; ++i) {
        stream += DeviceFrame(i);
    }
    return stream;
}

// The stream cut into the pieces a read delivers. At 19200 baud a read mostly finds a few bytes;
// a program that was busy finds more.
std::vector<std::string_view> Chunks(std::string_view stream, std::size_t chunkBytes) {
    std::vector<std::string_view> chunks;
    for (std::size_t at = 0; at < stream.size(); at += chunkBytes) {
        chunks.push_back(stream.substr(at, chunkBytes));
    }
    return chunks;
}

constexpr int kStreamFrames = 240;

// Bytes in -> accepted frame -> readout texts -> log row, for every accepted frame, as the
// received-characters handler runs it. Reported per accepted frame and per device frame.
void BM_FramePath(benchmark::State& state) {
    const std::string stream = DeviceStream(kStreamFrames);
    const auto chunks = Chunks(stream, static_cast<std::size_t>(state.range(0)));
    FrameReceiver receiver;
    qeb::monitor::Readout readout;
    std::int64_t accepted = 0;
    std::int64_t deviceFrames = 0;
    for (auto _ : state) {
        for (const std::string_view chunk : chunks) {
            if (!receiver.Append(chunk)) {
                continue;
            }
            qeb::link::StatusFrame& frame = receiver.CurrentStatus();
            qeb::monitor::ShowStatus(frame, readout);
            std::string row = qeb::monitor::LogRow("18:30", frame);
            benchmark::DoNotOptimize(row);
            benchmark::DoNotOptimize(readout);
            ++accepted;
        }
        deviceFrames += kStreamFrames;
    }
    if (accepted == 0) {
        state.SkipWithError("no frame was accepted");
        return;
    }
    state.counters["accepted_frames/s"] =
        benchmark::Counter(static_cast<double>(accepted), benchmark::Counter::kIsRate);
    state.counters["device_frames/s"] =
        benchmark::Counter(static_cast<double>(deviceFrames), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(stream.size()));
}
// A read finds 1, 8 or 64 bytes, or a whole frame and more.
BENCHMARK(BM_FramePath)->Arg(1)->Arg(8)->Arg(64)->Arg(1024);

// The cut alone: the 24 lines that start a cut arrive in one read.
void BM_CutOneFrame(benchmark::State& state) {
    const std::string cut = "-\r\n" + DeviceFrame(5) + DeviceFrame(6);
    FrameReceiver receiver;
    for (auto _ : state) {
        if (!receiver.Append(cut)) {
            state.SkipWithError("the frame was not accepted");
            break;
        }
        benchmark::DoNotOptimize(receiver.CurrentStatus());
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CutOneFrame);

qeb::link::StatusFrame AcceptedFrame() {
    FrameReceiver receiver;
    if (!receiver.Append("-\r\n" + DeviceFrame(5) + DeviceFrame(6))) {
        throw std::logic_error("the sample frame is not accepted");
    }
    return receiver.CurrentStatus();
}

void BM_ReadoutTexts(benchmark::State& state) {
    const qeb::link::StatusFrame accepted = AcceptedFrame();
    qeb::monitor::Readout readout;
    for (auto _ : state) {
        qeb::link::StatusFrame frame = accepted;
        qeb::monitor::ShowStatus(frame, readout);
        benchmark::DoNotOptimize(readout);
    }
}
BENCHMARK(BM_ReadoutTexts);

void BM_LogRow(benchmark::State& state) {
    const qeb::link::StatusFrame frame = AcceptedFrame();
    for (auto _ : state) {
        std::string row = qeb::monitor::LogRow("18:30", frame);
        benchmark::DoNotOptimize(row);
    }
}
BENCHMARK(BM_LogRow);

// Editors' values -> record -> the 32 digits written to the port.
void BM_SettingsCommand(benchmark::State& state) {
    const qeb::settings::SettingsValues values{6.53L, 7.29L, 0.53L, 7, 100, 14};
    for (auto _ : state) {
        qeb::settings::SettingsRecord record = qeb::settings::BuildSettingsRecord(values);
        std::string command = qeb::link::SettingsCommand(record);
        benchmark::DoNotOptimize(command);
    }
    qeb::settings::SettingsRecord record = qeb::settings::BuildSettingsRecord(values);
    if (qeb::link::SettingsCommand(record) != "10001400702900605305300700000011") {
        state.SkipWithError("the command is not what the device expects");
    }
}
BENCHMARK(BM_SettingsCommand);

}  // namespace

BENCHMARK_MAIN();
