#include "app/start_up.h"

#include "link/port_list.h"

namespace qeb::app {
namespace {

LanguageChoice LanguageOfLine(const QString& line) {
    if (line == QLatin1String("PL")) {
        return LanguageChoice::Polish;
    }
    if (line == QLatin1String("EN")) {
        return LanguageChoice::English;
    }
    return LanguageChoice::AsDesigned;
}

LinkChoice LinkOfLine(const QString& line) {
    if (line == QLatin1String("USB")) {
        return LinkChoice::Cable;
    }
    if (line == QLatin1String("WIFI")) {
        return LinkChoice::Wireless;
    }
    return LinkChoice::Unchanged;
}

QPoint FirstRunPosition(const Screens& screens) {
    return FirstRunPlacement(screens.primary).topLeft();
}

}  // namespace

StartUpPlan PlanStartUp(const PreferencesReading& reading, const QSize& windowSize,
                        const Screens& screens) {
    using Outcome = PreferencesReading::Outcome;
    StartUpPlan plan;
    switch (reading.outcome) {
        case Outcome::Missing:
            plan.firstRun = true;
            plan.screenTooSmall = screens.primary.width() < kMinimumScreenWidth ||
                                  screens.primary.height() < kMinimumScreenHeight;
            plan.portText = QString::fromLatin1(link::kDefaultPortName);
            plan.position = FirstRunPosition(screens);
            plan.language = LanguageChoice::Polish;
            plan.link = LinkChoice::Cable;
            return plan;
        case Outcome::Ignored:
            return plan;
        case Outcome::Unreadable:
            plan.error = reading.error;
            return plan;
        case Outcome::Loaded:
        case Outcome::BadNumber:
            break;
    }

    // Lines count from 1; a line is used when every line before it was read.
    const auto valid = [&reading](int line) { return reading.validLines >= line; };
    const Preferences& saved = reading.preferences;
    plan.portText = saved.portText;
    if (valid(2)) {
        QPoint position = kDesignedPosition;
        position.setX(saved.left);
        if (valid(3)) {
            position.setY(saved.top);
        }
        // A monitor that was unplugged since would keep the window out of sight.
        plan.position = TouchesAnyScreen(QRect(position, windowSize), screens.all)
                            ? position
                            : FirstRunPosition(screens);
    }
    if (valid(6)) {
        plan.language = LanguageOfLine(saved.language);
    }
    if (valid(7)) {
        plan.link = LinkOfLine(saved.linkType);
    }
    plan.error = reading.error;
    return plan;
}

Preferences PreferencesOfWindow(const QString& portText, const QRect& frame, bool polish,
                                int wirelessLink) {
    return {portText,
            frame.x(),
            frame.y(),
            frame.width(),
            frame.height(),
            QString::fromLatin1(polish ? "PL" : "EN"),
            QString::fromLatin1(wirelessLink == 1 ? "WIFI" : "USB")};
}

}  // namespace qeb::app
