#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qeb::test {

// A pseudo-terminal: the program opens the tty side by its path, the test plays the device on
// the controller side.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    QString TtyPath() const { return m_ttyPath; }

    // Writes everything on the device side.
    void Write(std::string_view bytes);
    // What the program wrote, collected for up to `timeoutMs` or until `expectedBytes` arrived.
    std::string Read(std::size_t expectedBytes, int timeoutMs);

    // The device goes away: the controller side is closed, the tty side hangs up.
    void CloseDevice();

private:
    int m_controller = -1;
    int m_tty = -1;  // kept open so that the tty survives while the program has not opened it
    QString m_ttyPath;
};

}  // namespace qeb::test
