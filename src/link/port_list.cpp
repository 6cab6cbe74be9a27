#include "link/port_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace qeb::link {

QStringList AvailablePortNames() {
    QStringList names;
    QStringList locations;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        names << port.portName();
        locations << port.systemLocation();
    }
#ifndef Q_OS_WIN
    names << StableNames(locations, QString::fromLatin1(kStableNamesFolder));
#endif
    return names;
}

QStringList StableNames(const QStringList& systemLocations, const QString& byIdFolder) {
    const QFileInfoList links =
        QDir(byIdFolder)
            .entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    QStringList names;
    for (const QString& location : systemLocations) {
        const QString device = QFileInfo(location).canonicalFilePath();
        for (const QFileInfo& link : links) {
            if (link.isSymLink() && !device.isEmpty() && link.canonicalFilePath() == device) {
                names << link.absoluteFilePath();
            }
        }
    }
    return names;
}

QString PortToolTip(const QString& name) {
    const QString device =
        name.startsWith(QLatin1Char('/')) ? QFileInfo(name).canonicalFilePath() : QString();
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        if (port.portName() != name && (device.isEmpty() || port.systemLocation() != device)) {
            continue;
        }
        QStringList lines;
        for (const QString& known :
             {port.description(), port.manufacturer(), port.serialNumber()}) {
            if (!known.isEmpty()) {
                lines << known;
            }
        }
        return lines.join(QLatin1Char('\n'));
    }
    return {};
}

QString PortNameForText(const QString& text) {
    return text.isEmpty() ? QString::fromLatin1(kDefaultPortName) : text;
}

bool KeepsTypedText(const QString& text) {
    if (text.isEmpty()) {
        return true;
    }
    const QChar first = text.front();
#ifdef Q_OS_WIN
    return first == QLatin1Char('C') || first == QLatin1Char('O') || first == QLatin1Char('M');
#else
    const char16_t c = first.unicode();
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'/';
#endif
}

QString NoPortMessage() {
    return QString(34, QLatin1Char(' ')) +
           QStringLiteral(
               "Brak zainstalowanych portów COM!\r\n\r\n"
               "1. Podłącz bezprzewodowy nadajnik do dowolnego USB tego komputera\r\n"
               "2. Sprawdź w Menadżeże Urządzeń, czy się poprawnie zainstalował COM");
}

}  // namespace qeb::link
