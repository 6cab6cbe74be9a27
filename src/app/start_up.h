#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

#include "app/preferences.h"

namespace qeb::app {

// Where the window is laid out before the preferences move it.
inline constexpr QPoint kDesignedPosition{582, 155};

enum class LanguageChoice { AsDesigned, Polish, English };
enum class LinkChoice { Unchanged, Cable, Wireless };

// The monitors there are now. The first run centres on the primary one.
struct Screens {
    QRect primary;
    QList<QRect> all;
};

// What the window does at start, decided from what the preferences file held.
struct StartUpPlan {
    // No preferences file: the window writes a new one once it stands at its first-run place.
    bool firstRun = false;
    bool screenTooSmall = false;
    // The drop-down's text; the port name follows it.
    std::optional<QString> portText;
    // Where the window's frame goes; nothing keeps the designed position.
    std::optional<QPoint> position;
    LanguageChoice language = LanguageChoice::AsDesigned;
    LinkChoice link = LinkChoice::Unchanged;
    // A file that could not be read or a line that is not a number, for the user to see. What
    // was read before it still applies, and the start-up goes on.
    QString error;
};

// `windowSize` is the size the window gives itself: it fits its content, so the saved width
// and height never change it, and a saved position is judged by what would be on screen.
StartUpPlan PlanStartUp(const PreferencesReading& reading, const QSize& windowSize,
                        const Screens& screens);

// What the close handler saves.
Preferences PreferencesOfWindow(const QString& portText, const QRect& frame, bool polish,
                                int wirelessLink);

}  // namespace qeb::app
