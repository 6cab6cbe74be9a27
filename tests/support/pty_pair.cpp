#include "support/pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cerrno>
#include <stdexcept>

namespace qeb::test {

PtyPair::PtyPair() {
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&m_controller, &m_tty, name, &raw, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    m_ttyPath = QString::fromLocal8Bit(name);
    fcntl(m_controller, F_SETFL, fcntl(m_controller, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair() {
    CloseDevice();
    if (m_tty >= 0) {
        ::close(m_tty);
    }
}

void PtyPair::Write(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_controller, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            throw std::runtime_error("write to the pseudo-terminal failed");
        } else {
            pollfd p{m_controller, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
}

std::string PtyPair::Read(std::size_t expectedBytes, int timeoutMs) {
    std::string got;
    QElapsedTimer timer;
    timer.start();
    while (got.size() < expectedBytes && timer.elapsed() < timeoutMs) {
        pollfd p{m_controller, POLLIN, 0};
        if (::poll(&p, 1, 20) > 0) {
            char buffer[512];
            const ssize_t n = ::read(m_controller, buffer, sizeof buffer);
            if (n > 0) {
                got.append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    return got;
}

void PtyPair::CloseDevice() {
    if (m_controller >= 0) {
        ::close(m_controller);
        m_controller = -1;
    }
}

}  // namespace qeb::test
