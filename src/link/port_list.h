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

// The serial ports the system lists, in its order, followed by the stable names of those that
// have one (/dev/serial/by-id/...), which survive a replug into another USB socket.
QStringList AvailablePortNames();

// The links in `byIdFolder` that lead to one of `systemLocations` (full device paths), as full
// paths of the links, in the order of the devices they lead to.
QStringList StableNames(const QStringList& systemLocations, const QString& byIdFolder);
inline constexpr const char* kStableNamesFolder = "/dev/serial/by-id";

// What the system knows of the port `name` (a listed name or a full path, also a link):
// description, manufacturer, serial number, one per line. Empty when it knows nothing.
QString PortToolTip(const QString& name);

// The port a text in the drop-down selects: the text itself, or the default when it is empty.
QString PortNameForText(const QString& text);

// Whether a typed text may stay in the drop-down. Port names start with a letter, and on Linux
// a full path with "/"; anything else is cleared while the port name it set stays.
bool KeepsTypedText(const QString& text);

// Shown when the system lists no serial port at all.
QString NoPortMessage();

}  // namespace qeb::link
