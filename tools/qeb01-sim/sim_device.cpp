#include "qeb01-sim/sim_device.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qeb::sim {
namespace {

constexpr std::string_view kSettingsCode = "11";
constexpr std::size_t kJunkShownChars = 64;
constexpr int kBrightnessMax = 100;
constexpr int kContrastMax = 25;
constexpr int kPhWholeMax = 9;  // the frame has room for one digit before the comma
constexpr int kCentsMax = 99;
constexpr int kPhCentsMax = kPhWholeMax * 100 + kCentsMax;
constexpr long long kPpmShownLimitTenths = 1000;

// Whole numbers without the process locale.
std::string Digits(long long value) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// d,dd
std::string PhText(int cents) {
    const std::string twoDigits = Digits(100 + cents % 100).substr(1);
    return Digits(cents / 100) + "," + twoDigits;
}

int Field(const std::string& command, std::size_t position) {
    int value = 0;
    std::from_chars(command.data() + position, command.data() + position + 3, value);
    return value;
}

bool AllOf(const std::string& text, char digit) {
    return std::all_of(text.begin(), text.end(), [digit](char c) { return c == digit; });
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Bytes as a person can read them in a terminal: printable ASCII as it is, the rest as \xNN.
std::string Printable(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (const char c : bytes.substr(0, kJunkShownChars)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            shown += c;
        } else {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xf];
        }
    }
    if (bytes.size() > kJunkShownChars) {
        shown += "...";
    }
    return shown;
}

}  // namespace

std::string ReceivedCommand::Describe() const {
    switch (kind) {
        case Kind::Settings:
            return "received settings " + bytes;
        case Kind::RejectedSettings:
            return "received settings " + bytes + " (ignored: " + reason + ")";
        case Kind::FactoryReset:
            return "received factory reset";
        case Kind::Restart:
            return "received restart";
        case Kind::Unknown:
            break;
    }
    return "received unknown " + Digits(static_cast<long long>(bytes.size())) + " bytes \"" +
           Printable(bytes) + "\"";
}

SimDevice::SimDevice(std::uint32_t seed) : m_random(seed) {
    m_phCents = (m_settings.phMinCents + m_settings.phMaxCents) / 2;
}

void SimDevice::SetPhCents(int cents) {
    m_phCents = std::clamp(cents, 0, kPhCentsMax);
}

std::string SimDevice::PpmText() const {
    if (m_settings.kh == 0) {
        return "0";
    }
    const long double ppm = 3.0L * static_cast<long double>(m_settings.kh) *
                            std::pow(10.0L, 7.0L - static_cast<long double>(m_phCents) / 100.0L);
    const long long tenths = std::llround(ppm * 10.0L);
    if (tenths >= kPpmShownLimitTenths) {
        return "100";
    }
    return Digits(tenths / 10) + "," + Digits(tenths % 10);
}

std::string SimDevice::FrameText() const {
    const std::string lines[] = {
        PhText(m_phCents),
        PhText(m_settings.phMinCents),
        PhText(m_settings.phMaxCents),
        PpmText(),
        Digits(m_settings.kh),
        Digits(m_settings.alarmCents),
        OutO2() ? "1" : "0",
        OutCO2() ? "1" : "0",
        Digits(m_settings.brightness),
        Digits(m_settings.contrast),
        " ",
        "-",
    };
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string SimDevice::NextFrame(std::int64_t nowMs) {
    if (IsRestarting(nowMs)) {
        return {};
    }
    std::string text;
    if (m_markerDue) {
        text = kMarkerLine;
        m_markerDue = false;
    }
    text += FrameText();
    Drift();
    return text;
}

// A slow wander between just below the range and just above it, with pauses, so that both
// outputs take their turn.
void SimDevice::Drift() {
    const int low = std::min(m_settings.phMinCents, m_settings.phMaxCents) - kOvershootCents;
    const int high = std::max(m_settings.phMinCents, m_settings.phMaxCents) + kOvershootCents;
    // The raw engine output is the same on every platform; distributions are not.
    const int step = static_cast<int>(m_random() % 4);
    if (m_phCents >= high) {
        m_direction = -1;
    } else if (m_phCents <= low) {
        m_direction = 1;
    }
    SetPhCents(m_phCents + m_direction * step);
}

std::vector<ReceivedCommand> SimDevice::DropStalePartial(std::int64_t nowMs) {
    if (m_pendingDigits.empty() || nowMs - m_lastByteMs < kCommandGapMs) {
        return {};
    }
    ReceivedCommand dropped{ReceivedCommand::Kind::Unknown, std::move(m_pendingDigits), {}};
    m_pendingDigits.clear();
    return {dropped};
}

std::vector<ReceivedCommand> SimDevice::Receive(std::string_view bytes, std::int64_t nowMs) {
    std::vector<ReceivedCommand> found = DropStalePartial(nowMs);
    if (bytes.empty()) {
        return found;
    }
    m_lastByteMs = nowMs;
    std::string junk;
    const auto reportJunk = [&] {
        if (!junk.empty()) {
            found.push_back({ReceivedCommand::Kind::Unknown, std::move(junk), {}});
            junk.clear();
        }
    };
    for (const char c : bytes) {
        if (!IsDigit(c)) {
            // Commands are digits only: whatever was collected is broken, and the next digit
            // starts afresh.
            junk += m_pendingDigits;
            m_pendingDigits.clear();
            junk += c;
            continue;
        }
        reportJunk();
        m_pendingDigits += c;
        if (m_pendingDigits.size() == kCommandLengthChars) {
            found.push_back(Apply(m_pendingDigits, nowMs));
            m_pendingDigits.clear();
        }
    }
    reportJunk();
    return found;
}

ReceivedCommand SimDevice::Apply(const std::string& command, std::int64_t nowMs) {
    using Kind = ReceivedCommand::Kind;
    if (AllOf(command, '2')) {
        m_settings = kFactorySettings;
        return {Kind::FactoryReset, command, {}};
    }
    if (AllOf(command, '3')) {
        m_silentUntilMs = nowMs + kRestartSilenceMs;
        m_markerDue = true;
        return {Kind::Restart, command, {}};
    }
    if (!command.ends_with(kSettingsCode)) {
        return {Kind::Unknown, command, {}};
    }
    DeviceSettings next;
    next.brightness = Field(command, 0);
    next.contrast = Field(command, 3);
    const int phMaxWhole = Field(command, 6);
    const int phMaxCents = Field(command, 9);
    const int phMinWhole = Field(command, 12);
    const int phMinCents = Field(command, 15);
    next.alarmCents = Field(command, 18);
    next.kh = Field(command, 21);
    next.phMaxCents = phMaxWhole * 100 + phMaxCents;
    next.phMinCents = phMinWhole * 100 + phMinCents;

    std::string reason;
    if (next.brightness > kBrightnessMax) {
        reason = "brightness " + Digits(next.brightness) + " is above 100";
    } else if (next.contrast > kContrastMax) {
        reason = "contrast " + Digits(next.contrast) + " is above 25";
    } else if (phMaxWhole > kPhWholeMax || phMinWhole > kPhWholeMax) {
        reason = "a pH above 9,99";
    } else if (phMaxCents > kCentsMax || phMinCents > kCentsMax) {
        reason = "pH hundredths above 99";
    }
    if (!reason.empty()) {
        return {Kind::RejectedSettings, command, reason};
    }
    m_settings = next;
    return {Kind::Settings, command, {}};
}

}  // namespace qeb::sim
