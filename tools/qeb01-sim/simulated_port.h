#pragma once

#include <string>
#include <string_view>

namespace qeb::sim {

// The device's end of a serial line: a pseudo-terminal whose tty side the program opens through
// a symlink at a stable path. Unplug() and Replug() pull the cable and put it back: the program's
// port hangs up, and later the same path leads to a new tty. Errors are std::runtime_error.
class SimulatedPort {
public:
    // Links `linkPath` to a new pseudo-terminal. A dangling symlink there (left by a simulator
    // that was killed) is replaced; a link that still leads somewhere, or any other file, is
    // refused.
    explicit SimulatedPort(std::string linkPath);
    ~SimulatedPort();
    SimulatedPort(const SimulatedPort&) = delete;
    SimulatedPort& operator=(const SimulatedPort&) = delete;

    const std::string& LinkPath() const { return m_linkPath; }
    // The tty the link points to now, e.g. /dev/pts/3.
    const std::string& TtyPath() const { return m_ttyPath; }
    bool IsPlugged() const { return m_controller >= 0; }
    // The tty side is open in some program, so what the device sends is heard.
    bool HasListener() const;
    // The controller side's descriptor (for poll), -1 while unplugged.
    int ControllerFd() const { return m_controller; }

    // Sends as a device's UART does: while nobody has the tty open, or its queue is full, the
    // bytes are lost instead of piling up for whoever opens the port later. Returns how many
    // bytes went out.
    std::size_t Write(std::string_view bytes);
    // Everything the program has written so far, without waiting.
    std::string ReadAvailable();

    // Pulls the cable: the program's port hangs up and the link path leads nowhere.
    void Unplug();
    void Replug();

private:
    void OpenPty();
    void PointLinkAtTty();

    std::string m_linkPath;
    std::string m_ttyPath;
    int m_controller = -1;
};

}  // namespace qeb::sim
