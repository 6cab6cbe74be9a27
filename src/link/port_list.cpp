#include "link/port_list.h"

#include <QSerialPortInfo>

namespace qeb::link {

QStringList AvailablePortNames() {
    QStringList names;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        names << port.portName();
    }
    return names;
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
