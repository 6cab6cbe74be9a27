#pragma once

#include <string>
#include <string_view>

#include "link/status_frame.h"

namespace qeb::link {

// Collects the text the device streams and cuts status frames out of it.
//
// The device sends a frame of twelve CR LF lines after a "-" line, unasked, about once a second.
// Once the buffer holds 24 lines (or more than kReceiveBufferLimitChars characters, so that noise
// without line breaks cannot grow it) the twelve lines after the first "-" are cut, upper-cased
// and checked; the buffer is then reset, dropping whatever else had arrived.
class FrameReceiver {
public:
    static constexpr int kCutLineCount = 24;
    static constexpr std::size_t kReceiveBufferLimitChars = 4096;
    static constexpr std::string_view kResetText = "\r\n";

    // Appends received text. True when a cut produced a frame that passed the checks; that
    // frame is then the current status. A rejected frame leaves the current status as it was.
    bool Append(std::string_view text);

    // A line as a memo would add it: the text and a CR LF, without starting a cut.
    void AppendLine(std::string_view line);

    void ResetReceiveBuffer();
    void ResetFrameLines();

    const std::string& ReceiveBuffer() const { return m_receiveBuffer; }
    const std::string& FrameLines() const { return m_frameLines; }
    // Both texts in their reset state: nothing has arrived since the last reconnect.
    bool NothingReceived() const;

    StatusFrame& CurrentStatus() { return m_status; }
    const StatusFrame& CurrentStatus() const { return m_status; }

    // Lines as counted for the cut: a partial last line counts, the empty text after the last
    // line break does not.
    int LineCount() const;

private:
    bool Cut();

    std::string m_receiveBuffer{kResetText};
    std::string m_frameLines{kResetText};
    int m_lineBreaks = 1;
    StatusFrame m_status;
};

}  // namespace qeb::link
