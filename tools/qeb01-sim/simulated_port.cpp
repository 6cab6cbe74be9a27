#include "qeb01-sim/simulated_port.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace qeb::sim {
namespace {

std::runtime_error SystemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}

std::string LinkTarget(const std::string& path) {
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

SimulatedPort::SimulatedPort(std::string linkPath) : m_linkPath(std::move(linkPath)) {
    struct stat existing {};
    if (::lstat(m_linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            throw std::runtime_error(m_linkPath + " exists and is not a symbolic link");
        }
        // A link to a tty that still exists belongs to a simulator that is running (or to a
        // real port): taking it over would cut that device off behind its user's back.
        struct stat target {};
        if (::stat(m_linkPath.c_str(), &target) == 0) {
            throw std::runtime_error(m_linkPath + " already leads to " + LinkTarget(m_linkPath) +
                                     " (is another simulator running?)");
        }
    }
    OpenPty();
    PointLinkAtTty();
}

SimulatedPort::~SimulatedPort() {
    // Only our own link goes: another simulator may have taken the path over since.
    if (!m_ttyPath.empty() && LinkTarget(m_linkPath) == m_ttyPath) {
        ::unlink(m_linkPath.c_str());
    }
    Unplug();
}

void SimulatedPort::OpenPty() {
    int tty = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (::openpty(&m_controller, &tty, name, &raw, nullptr) != 0) {
        m_controller = -1;
        throw SystemError("openpty");
    }
    // Not kept open: with no one on the tty side the controller side reports a hang-up, which is
    // how the device knows nobody listens.
    ::close(tty);
    ::fcntl(m_controller, F_SETFL, ::fcntl(m_controller, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_controller, F_SETFD, FD_CLOEXEC);
    m_ttyPath = name;
}

void SimulatedPort::PointLinkAtTty() {
    // Made beside the final name and renamed over it, so the path never leads nowhere while
    // it moves to the new tty.
    const std::string fresh = m_linkPath + ".new-" + std::to_string(::getpid());
    ::unlink(fresh.c_str());
    if (::symlink(m_ttyPath.c_str(), fresh.c_str()) != 0) {
        throw SystemError("symlink " + fresh);
    }
    if (::rename(fresh.c_str(), m_linkPath.c_str()) != 0) {
        const auto error = SystemError("rename to " + m_linkPath);
        ::unlink(fresh.c_str());
        throw error;
    }
}

bool SimulatedPort::HasListener() const {
    if (m_controller < 0) {
        return false;
    }
    pollfd p{m_controller, 0, 0};
    ::poll(&p, 1, 0);
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

std::size_t SimulatedPort::Write(std::string_view bytes) {
    if (!HasListener()) {
        return 0;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_controller, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;  // full or gone: the rest is lost, as on a wire
        }
    }
    return done;
}

std::string SimulatedPort::ReadAvailable() {
    std::string got;
    if (m_controller < 0) {
        return got;
    }
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(m_controller, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;  // nothing more now (EAGAIN), or nobody on the tty side (EIO)
        }
    }
    return got;
}

void SimulatedPort::Unplug() {
    // A pulled USB adapter takes its device node along. A link left behind would name the freed
    // pseudo-terminal, which the next one opened on the machine (by any program) can get, and
    // the program's reconnect would then talk to a stranger's tty.
    if (m_controller >= 0 && !m_ttyPath.empty() && LinkTarget(m_linkPath) == m_ttyPath) {
        ::unlink(m_linkPath.c_str());
    }
    if (m_controller >= 0) {
        ::close(m_controller);
        m_controller = -1;
    }
}

void SimulatedPort::Replug() {
    Unplug();
    OpenPty();
    PointLinkAtTty();
}

}  // namespace qeb::sim
