#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <string>
#include <string_view>

#include "link/port_list.h"

namespace qeb::link {

// The controller's serial port: 19200 baud, 8N1, no flow control, DTR on, RTS off, exclusive.
// Offers only what the program needs of a port; errors come as core::SerialError with the text
// the user sees. A device that disappears (USB unplugged, pseudo-terminal closed) closes the port
// quietly, so that the scheduled reconnect can open it again when the device is back.
class SerialLink : public QObject {
    Q_OBJECT
public:
    static constexpr qint32 kBaudRate = 19200;

    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    // Reopens at once under the new name when the port is open and the name differs.
    void SetPortName(const QString& name);
    QString PortName() const { return m_portName; }

    void Open();
    void Close();
    bool IsOpen() const;

    // At most `count` bytes of what has arrived, NUL bytes removed.
    std::string ReadText(qint64 count);
    // All of `text`, waiting until the system has taken it.
    void WriteText(std::string_view text);

    // Where a port name is opened: "/dev/" + name, or the name itself when it is a path.
    static QString SystemLocation(const QString& name);

signals:
    // Bytes are waiting; delivered on the thread that owns the link.
    void RxChar(qint64 count);
    // The device went away and the port was closed.
    void DeviceLost();

private:
    void OnError(QSerialPort::SerialPortError error);
    int OpenFailureErrorNumber() const;

    QSerialPort m_port;
    QString m_portName = QString::fromLatin1(kDefaultPortName);
};

}  // namespace qeb::link
