#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace qeb::sim {

// What the controller keeps in its memory: the six settings a settings command carries.
struct DeviceSettings {
    int brightness = 100;
    int contrast = 14;
    int phMaxCents = 710;
    int phMinCents = 690;
    int alarmCents = 20;
    int kh = 0;

    bool operator==(const DeviceSettings&) const = default;
};

inline constexpr DeviceSettings kFactorySettings{};

// One thing the device made of the bytes it received.
struct ReceivedCommand {
    enum class Kind {
        Settings,          // applied
        RejectedSettings,  // a settings command with a value the device cannot hold; ignored
        FactoryReset,
        Restart,
        Unknown,  // bytes that are no command: junk, a partial command, 32 digits of nothing
    };
    Kind kind = Kind::Unknown;
    std::string bytes;
    std::string reason;  // why a settings command was rejected

    // The line the simulator prints after "qeb01-sim: ", e.g. "received settings 1000...11".
    std::string Describe() const;
};

// The controller as the program sees it through the serial line: it streams a status frame
// unasked, drifts its pH through the configured range, switches its outputs, and applies the
// 32-digit commands it finds in the bytes it receives. Time is passed in by the caller (a
// monotonic count of milliseconds), so that tests drive it without waiting.
class SimDevice {
public:
    static constexpr std::size_t kCommandLengthChars = 32;
    // A restarting device says nothing for this long.
    static constexpr std::int64_t kRestartSilenceMs = 3000;
    // The program writes a command in one go; digits left over after a pause this long are the
    // rest of something broken and must not become the start of the next command.
    static constexpr std::int64_t kCommandGapMs = 200;
    // How far the pH wanders beyond each bound of the range before it turns.
    static constexpr int kOvershootCents = 15;
    static constexpr std::string_view kMarkerLine = "-\r\n";

    explicit SimDevice(std::uint32_t seed = 1);

    const DeviceSettings& Settings() const { return m_settings; }
    void SetSettings(const DeviceSettings& settings) { m_settings = settings; }
    int PhCents() const { return m_phCents; }
    // Puts the probe where a test needs it; the drift goes on from there.
    void SetPhCents(int cents);

    bool OutO2() const { return m_phCents < m_settings.phMinCents; }
    bool OutCO2() const { return m_phCents > m_settings.phMaxCents; }
    // CO2 in ppm = 3 x KH x 10^(7 - pH), one decimal with a comma; "0" without KH, "100" from 100.
    std::string PpmText() const;

    // The twelve CR LF lines of the present state, the last one the marker "-".
    std::string FrameText() const;

    // What the device sends when its next frame is due at `nowMs`: nothing while it restarts,
    // otherwise the frame, preceded by a marker line after power-up and after a restart. The
    // pH then moves one step.
    std::string NextFrame(std::int64_t nowMs);
    bool IsRestarting(std::int64_t nowMs) const { return nowMs < m_silentUntilMs; }

    // Takes the bytes received at `nowMs` and applies every command found in them.
    std::vector<ReceivedCommand> Receive(std::string_view bytes, std::int64_t nowMs);
    // Reports (and drops) digits still waiting for the rest of their command after a pause.
    std::vector<ReceivedCommand> DropStalePartial(std::int64_t nowMs);

private:
    ReceivedCommand Apply(const std::string& command, std::int64_t nowMs);
    void Drift();

    DeviceSettings m_settings;
    std::mt19937 m_random;
    int m_phCents = 700;
    int m_direction = 1;
    bool m_markerDue = true;
    std::int64_t m_silentUntilMs = 0;
    std::string m_pendingDigits;
    std::int64_t m_lastByteMs = 0;
};

}  // namespace qeb::sim
