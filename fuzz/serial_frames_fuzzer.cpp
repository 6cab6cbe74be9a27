// Bytes as the serial line delivers them, taken through the frame receiver, the readout rules and
// the log row builder in the order the window's received-characters handler runs them.
//
// Input: the first byte sets how many bytes each received-characters event brings (1 to 256; a
// busy event loop finds more waiting), the rest is what the line carried.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/decimal_comma.h"
#include "core/errors.h"
#include "fuzz_check.h"
#include "link/frame_receiver.h"
#include "link/status_frame.h"
#include "monitor/measurement_log.h"
#include "monitor/readout.h"

namespace {

using qeb::link::FrameReceiver;
using qeb::link::StatusFrame;
using qeb::monitor::Readout;

constexpr std::string_view kInitialNumber = "-,--";
constexpr std::string_view kLogTime = "18:30";
constexpr int kLogFieldCount = 9;
// Where a spreadsheet would start a formula or a quoted field.
constexpr std::string_view kSpreadsheetStarts = "=+-@\t\r\"";

// The frame every test of the readout starts from: what a healthy controller sends.
constexpr std::string_view kHealthyFrame =
    "7,05\r\n6,90\r\n7,10\r\n25,3\r\n4\r\n20\r\n1\r\n0\r\n100\r\n14\r\n \r\n-\r\n";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool ParsesAsWholeNumber(std::string_view text, long long& value) {
    try {
        value = qeb::core::ParseInteger(text);
        return true;
    } catch (const qeb::core::ConversionError&) {
        return false;
    }
}

// "7.05" from a frame's "7,05", or ">10" for a pH of 9 and more while CO2 is off.
bool IsShownPh(std::string_view t) {
    return t == ">10" || (t.size() == 4 && t[1] == '.');
}

// A range bound as the device sends it: one character, a comma, two characters.
bool IsRangeBound(std::string_view t) {
    return t.size() == 4 && t[1] == ',';
}

// An alarm limit: rounded to hundredths, always two decimals.
bool IsHundredths(std::string_view t) {
    if (!t.empty() && t.front() == '-') {
        t.remove_prefix(1);
    }
    const std::size_t comma = t.find(',');
    if (comma == 0 || comma == std::string_view::npos || t.size() - comma != 3) {
        return false;
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i != comma && !IsDigit(t[i])) {
            return false;
        }
    }
    return true;
}

// CO2: the fixed texts, or a ppm figure with its comma as third character (05,3 and 25,3).
bool IsShownPpm(std::string_view t) {
    return t == kInitialNumber || t == "--.-" || t == "00.0" || t == ">100!" ||
           (t.size() >= 3 && t[2] == ',');
}

// KH: "--", a whole number above 9, or a "0" in front of one up to 9.
bool IsShownHardness(std::string_view t) {
    long long value = 0;
    if (t == "--") {
        return true;
    }
    if (ParsesAsWholeNumber(t, value) && value > 9) {
        return true;
    }
    return t.size() > 1 && t.front() == '0' && ParsesAsWholeNumber(t.substr(1), value) &&
           value <= 9;
}

bool HasNoLineBreakOrLowerCase(const std::string& field) {
    for (char c : field) {
        if (c == '\n' || (c >= 'a' && c <= 'z')) {
            return false;
        }
    }
    return true;
}

void CheckAcceptedFrame(const FrameReceiver& receiver) {
    const StatusFrame& frame = receiver.CurrentStatus();
    QEB_FUZZ_CHECK(qeb::link::IsAcceptable(frame));
    std::string lines;
    for (int i = 0; i < StatusFrame::kFieldCount; ++i) {
        QEB_FUZZ_CHECK(HasNoLineBreakOrLowerCase(frame.Field(i)));
        lines += frame.Field(i) + "\r\n";
    }
    QEB_FUZZ_CHECK(receiver.FrameLines() == lines);
}

void CheckReadout(const Readout& readout, const StatusFrame& frame, bool completed) {
    for (const qeb::monitor::ReadoutLabel* label :
         {&readout.Label7, &readout.Label8, &readout.Label9, &readout.Label10, &readout.Label11,
          &readout.Label12, &readout.Label17, &readout.Label23}) {
        QEB_FUZZ_CHECK(label->visible);
    }
    QEB_FUZZ_CHECK(readout.Image4Visible);
    QEB_FUZZ_CHECK(readout.Label10.text == "ALARM");
    QEB_FUZZ_CHECK(IsShownPh(readout.Label7.text) && readout.Label7.text == frame.PH);
    QEB_FUZZ_CHECK(IsRangeBound(readout.Label8.text) && readout.Label8.text == frame.PHmin);
    QEB_FUZZ_CHECK(IsRangeBound(readout.Label9.text) && readout.Label9.text == frame.PHmax);
    QEB_FUZZ_CHECK(IsShownPpm(readout.Label11.text));
    QEB_FUZZ_CHECK(IsShownHardness(readout.Label12.text));
    for (const std::string* limit : {&readout.Label17.text, &readout.Label23.text}) {
        QEB_FUZZ_CHECK(*limit == kInitialNumber || IsHundredths(*limit));
    }
    if (completed) {
        if (frame.OutO2 == "1" || frame.OutO2 == "0") {
            QEB_FUZZ_CHECK(readout.Image2Visible == (frame.OutO2 == "1"));
        }
        if (frame.OutCO2 == "1" || frame.OutCO2 == "0") {
            QEB_FUZZ_CHECK(readout.Image1Visible == (frame.OutCO2 == "1"));
        }
    }
}

// One CSV line of nine fields that a spreadsheet takes as text, whatever the device sent.
void CheckLogRow(const StatusFrame& frame) {
    const std::string row = qeb::monitor::LogRow(kLogTime, frame);
    QEB_FUZZ_CHECK(row.find('\n') == std::string::npos && row.find('\r') == std::string::npos);
    std::vector<std::string_view> fields;
    std::string_view rest = row;
    for (;;) {
        const std::size_t end = rest.find(';');
        fields.push_back(rest.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    QEB_FUZZ_CHECK(static_cast<int>(fields.size()) == kLogFieldCount);
    QEB_FUZZ_CHECK(fields[0] == kLogTime);
    for (int i = 1; i <= 6; ++i) {
        const std::string_view f = fields[static_cast<std::size_t>(i)];
        QEB_FUZZ_CHECK(f.empty() || kSpreadsheetStarts.find(f.front()) == std::string_view::npos);
    }
    for (int i = 7; i <= 8; ++i) {
        const std::string_view f = fields[static_cast<std::size_t>(i)];
        QEB_FUZZ_CHECK(f.empty() || f == "on" || f == "off");
    }
}

// The window's state between received-characters events.
struct Window {
    FrameReceiver receiver;
    Readout readout;
    StatusFrame lastShown;  // the current status as the last accepted frame left it
};

// What the window does with one received-characters event.
void Deliver(std::string_view chunk, Window& window) {
    FrameReceiver& receiver = window.receiver;
    const bool accepted = receiver.Append(chunk);

    QEB_FUZZ_CHECK(receiver.ReceiveBuffer().size() <= FrameReceiver::kReceiveBufferLimitChars);
    QEB_FUZZ_CHECK(receiver.LineCount() < FrameReceiver::kCutLineCount);
    if (!accepted) {
        // Only a cut empties the buffer (the chunk is never empty); a rejected frame leaves the
        // status as it was.
        if (receiver.ReceiveBuffer() == FrameReceiver::kResetText) {
            QEB_FUZZ_CHECK(receiver.CurrentStatus() == window.lastShown);
        }
        return;
    }
    CheckAcceptedFrame(receiver);

    StatusFrame& frame = receiver.CurrentStatus();
    bool completed = true;
    try {
        qeb::monitor::ShowStatus(frame, window.readout);
    } catch (const qeb::core::ConversionError&) {
        completed = false;
    }
    CheckReadout(window.readout, frame, completed);
    if (completed) {
        CheckLogRow(frame);
    }
    window.lastShown = frame;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t eventBytes = static_cast<std::size_t>(data[0]) + 1;
    std::string_view line(reinterpret_cast<const char*>(data) + 1, size - 1);

    Window window;
    while (!line.empty()) {
        const std::string_view chunk = line.substr(0, eventBytes);
        Deliver(chunk, window);
        line.remove_prefix(chunk.size());
    }

    // Whatever came before, a healthy controller is heard again. Its first stream may be cut
    // together with what was buffered (and even make a frame of the mix); the second is clean.
    static const std::string stream =
        "-\r\n" + std::string(kHealthyFrame) + std::string(kHealthyFrame);
    static const StatusFrame healthy = [] {
        FrameReceiver fresh;
        QEB_FUZZ_CHECK(fresh.Append(stream));
        return fresh.CurrentStatus();
    }();
    bool heard = false;
    for (int attempt = 0; attempt < 2 && !heard; ++attempt) {
        heard = window.receiver.Append(stream) && window.receiver.CurrentStatus() == healthy;
    }
    QEB_FUZZ_CHECK(heard);
    Readout& readout = window.readout;
    qeb::monitor::ShowStatus(window.receiver.CurrentStatus(), readout);
    QEB_FUZZ_CHECK(readout.Label7.text == "7.05" && readout.Label17.text == "6,70" &&
                   readout.Label23.text == "7,30" && readout.Label11.text == "25,3" &&
                   readout.Label12.text == "04" && readout.Image2Visible && !readout.Image1Visible);
    return 0;
}
