#include "link/serial_link.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "core/errors.h"
#include "link/port_permissions.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace qeb::link {
namespace {

constexpr int kWriteTimeoutMs = 2000;

[[noreturn]] void ThrowOpenError(int errorNumber, const QString& path) {
    std::string hint;
#ifdef Q_OS_UNIX
    if (errorNumber == EACCES) {
        hint = PermissionHint(path).toStdString();
    }
#else
    (void)path;
#endif
    throw core::SerialError("Unable to open com port (Error: " + std::to_string(errorNumber) + ")",
                            hint);
}

[[noreturn]] void ThrowWriteError(int errorNumber) {
    throw core::SerialError("WriteFile function failed (Error: " + std::to_string(errorNumber) +
                            ")");
}

}  // namespace

SerialLink::SerialLink(QObject* parent) : QObject(parent) {
    connect(&m_port, &QSerialPort::readyRead, this, [this] {
        const qint64 waiting = m_port.bytesAvailable();
        if (waiting > 0) {
            emit RxChar(waiting);
        }
    });
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::OnError);
}

SerialLink::~SerialLink() {
    Close();
}

QString SerialLink::SystemLocation(const QString& name) {
#ifdef Q_OS_WIN
    return name.startsWith(QLatin1String("\\\\.\\")) ? name : QStringLiteral("\\\\.\\") + name;
#else
    return name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
#endif
}

void SerialLink::SetPortName(const QString& name) {
    const bool reopen = IsOpen() && name != m_portName;
    m_portName = name;
    if (reopen) {
        Close();
        Open();
    }
}

void SerialLink::Open() {
    if (IsOpen()) {
        return;
    }
    m_port.setPortName(SystemLocation(m_portName));
    m_port.setBaudRate(kBaudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const int errorNumber = OpenFailureErrorNumber();
        m_port.clearError();
        ThrowOpenError(errorNumber, SystemLocation(m_portName));
    }
    // A pseudo-terminal has no modem lines; the device works without them, so failures here are
    // of no consequence.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(false);
    m_port.clearError();
}

void SerialLink::Close() {
    if (!m_port.isOpen()) {
        return;
    }
    m_port.clear();
    m_port.close();
    m_port.clearError();
}

bool SerialLink::IsOpen() const {
    return m_port.isOpen();
}

std::string SerialLink::ReadText(qint64 count) {
    if (!IsOpen() || count <= 0) {
        return {};
    }
    const QByteArray bytes = m_port.read(count);
    std::string text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

void SerialLink::WriteText(std::string_view text) {
    if (!IsOpen()) {
        throw core::SerialError("Port Not Open");
    }
#ifdef Q_OS_UNIX
    // Written straight to the descriptor so that the system's own error number reaches the user
    // and the call returns only when the system has taken every byte.
    const int fd = static_cast<int>(m_port.handle());
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n >= 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN) {
            ThrowWriteError(errno);
        }
        pollfd waitFor{fd, POLLOUT, 0};
        const int ready = ::poll(&waitFor, 1, kWriteTimeoutMs);
        if (ready == 0) {
            ThrowWriteError(ETIMEDOUT);
        }
        if (ready < 0 && errno != EINTR) {
            ThrowWriteError(errno);
        }
    }
#else
    const qint64 n = m_port.write(text.data(), static_cast<qint64>(text.size()));
    if (n != static_cast<qint64>(text.size()) || !m_port.waitForBytesWritten(kWriteTimeoutMs)) {
        const int errorNumber = static_cast<int>(m_port.error());
        m_port.clearError();
        ThrowWriteError(errorNumber);
    }
#endif
}

void SerialLink::OnError(QSerialPort::SerialPortError error) {
    // An unplugged adapter reports ResourceError, a pseudo-terminal whose other side closed
    // reports ReadError; Qt repeats either one for as long as the port stays open, tens of
    // thousands of times a second. Closing at once stops that busy loop. The queues are not
    // discarded: on a vanished device that fails too and reports the same error again.
    const bool deviceGone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!deviceGone || !m_port.isOpen()) {
        return;
    }
    m_port.close();
    m_port.clearError();
    emit DeviceLost();
}

int SerialLink::OpenFailureErrorNumber() const {
#ifdef Q_OS_UNIX
    // QSerialPort reports a category, not the system's number: ask the system directly. If the
    // device itself opens, what failed was the lock that another program holds.
    const QByteArray path = SystemLocation(m_portName).toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    ::close(fd);
    return EBUSY;
#else
    switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return 2;  // ERROR_FILE_NOT_FOUND
        case QSerialPort::PermissionError:
            return 5;  // ERROR_ACCESS_DENIED
        default:
            return static_cast<int>(m_port.error());
    }
#endif
}

}  // namespace qeb::link
