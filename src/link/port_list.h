#pragma once

#include <QString>
#include <QStringList>

namespace qeb::link {

// The port the program uses until the user chooses one.
#ifdef Q_OS_WIN
inline constexpr const char* kDefaultPortName = "COM1";
#else
inline constexpr const char* kDefaultPortName = "ttyS0";
#endif

// The serial ports the system lists, in its order.
QStringList AvailablePortNames();

// The port a text in the drop-down selects: the text itself, or the default when it is empty.
QString PortNameForText(const QString& text);

// Whether a typed text may stay in the drop-down. Port names start with a letter, and on Linux
// a full path with "/"; anything else is cleared while the port name it set stays.
bool KeepsTypedText(const QString& text);

// Shown when the system lists no serial port at all.
QString NoPortMessage();

}  // namespace qeb::link
