#include "link/frame_receiver.h"

#include <algorithm>
#include <vector>

namespace qeb::link {
namespace {

// Line ends: CR LF and a lone LF. A CR as the last character of a line is the first half of a
// CR LF, even when its LF has not arrived yet; other CRs are text.
std::string_view LineText(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

// The texts of lines first..first+count-1; lines past the end are empty.
std::vector<std::string_view> LinesFrom(std::string_view text, std::size_t firstLine,
                                        std::size_t count) {
    std::vector<std::string_view> lines;
    lines.reserve(count);
    std::size_t start = 0;
    std::size_t index = 0;
    while (start <= text.size() && lines.size() < count) {
        const std::size_t end = text.find('\n', start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        if (index >= firstLine) {
            lines.push_back(LineText(text.substr(start, stop - start)));
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
        ++index;
    }
    lines.resize(count);
    return lines;
}

void UpperCaseAscii(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

}  // namespace

bool FrameReceiver::Append(std::string_view text) {
    m_receiveBuffer.append(text);
    m_lineBreaks += static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    if (LineCount() < kCutLineCount && m_receiveBuffer.size() <= kReceiveBufferLimitChars) {
        return false;
    }
    return Cut();
}

void FrameReceiver::AppendLine(std::string_view line) {
    m_receiveBuffer.append(line);
    m_receiveBuffer.append("\r\n");
    m_lineBreaks += static_cast<int>(std::count(line.begin(), line.end(), '\n')) + 1;
}

void FrameReceiver::ResetReceiveBuffer() {
    m_receiveBuffer.assign(kResetText);
    m_lineBreaks = 1;
}

void FrameReceiver::ResetFrameLines() {
    m_frameLines.assign(kResetText);
}

bool FrameReceiver::NothingReceived() const {
    return m_receiveBuffer == kResetText && m_frameLines == kResetText;
}

int FrameReceiver::LineCount() const {
    const bool endsWithBreak = !m_receiveBuffer.empty() && m_receiveBuffer.back() == '\n';
    return m_lineBreaks + (endsWithBreak ? 0 : 1);
}

bool FrameReceiver::Cut() {
    const std::string_view buffer = m_receiveBuffer;
    const std::size_t marker = buffer.find('-');
    const std::size_t markerLine =
        marker == std::string_view::npos
            ? 0
            : static_cast<std::size_t>(std::count(buffer.begin(), buffer.begin() + marker, '\n'));

    StatusFrame frame;
    m_frameLines.clear();
    const auto lines = LinesFrom(buffer, markerLine + 1, StatusFrame::kFieldCount);
    for (int i = 0; i < StatusFrame::kFieldCount; ++i) {
        std::string& field = frame.Field(i);
        field.assign(lines[static_cast<std::size_t>(i)]);
        UpperCaseAscii(field);
        m_frameLines.append(field);
        m_frameLines.append("\r\n");
    }
    ResetReceiveBuffer();

    if (!IsAcceptable(frame)) {
        return false;
    }
    m_status = std::move(frame);
    return true;
}

}  // namespace qeb::link
