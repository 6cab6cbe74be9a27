#include "app/start_up.h"

#include <gtest/gtest.h>

namespace qeb::app {
namespace {

const QSize kWindow(345, 623);
const Screens kFullHd{QRect(0, 0, 1920, 1080), {QRect(0, 0, 1920, 1080)}};

PreferencesReading Loaded(int left, int top, const char* language, const char* link) {
    PreferencesReading reading;
    reading.outcome = PreferencesReading::Outcome::Loaded;
    reading.validLines = kPreferencesLineCount;
    reading.preferences = {
        QStringLiteral("ttyUSB1"), left, top, 361, 661, QString::fromLatin1(language),
        QString::fromLatin1(link)};
    return reading;
}

PreferencesReading StoppedAt(int badLine) {
    PreferencesReading reading = Loaded(100, 120, "EN", "WIFI");
    reading.outcome = PreferencesReading::Outcome::BadNumber;
    reading.validLines = badLine - 1;
    reading.error = QStringLiteral("'abc' is not a valid integer value");
    return reading;
}

PreferencesReading WithOutcome(PreferencesReading::Outcome outcome, const char* error = "") {
    PreferencesReading reading;
    reading.outcome = outcome;
    reading.error = QString::fromLatin1(error);
    return reading;
}

TEST(StartUpPlan, WhatEachPreferencesFileBringsBack) {
    using L = LanguageChoice;
    using K = LinkChoice;
    using P = std::optional<QPoint>;
    using T = std::optional<QString>;
    const Screens twoMonitors{QRect(0, 0, 1920, 1080),
                              {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}};
    const struct {
        const char* shows;
        PreferencesReading reading;
        Screens screens;
        T portText;
        P position;
        L language;
        K link;
        QString error;
    } cases[] = {
        {"everything restored",
         Loaded(100, 120, "EN", "WIFI"),
         kFullHd,
         QStringLiteral("ttyUSB1"),
         QPoint(100, 120),
         L::English,
         K::Wireless,
         {}},
        {"Polish and the cable",
         Loaded(100, 120, "PL", "USB"),
         kFullHd,
         QStringLiteral("ttyUSB1"),
         QPoint(100, 120),
         L::Polish,
         K::Cable,
         {}},
        {"unknown language and link words change nothing",
         Loaded(100, 120, "pl", "usb"),
         kFullHd,
         QStringLiteral("ttyUSB1"),
         QPoint(100, 120),
         L::AsDesigned,
         K::Unchanged,
         {}},
        {"a window reaching onto the screen by its corner stays",
         Loaded(1900, 1000, "PL", "USB"),
         kFullHd,
         QStringLiteral("ttyUSB1"),
         QPoint(1900, 1000),
         L::Polish,
         K::Cable,
         {}},
        {"a window on a monitor that is gone is centred",
         Loaded(2000, 155, "PL", "USB"),
         kFullHd,
         QStringLiteral("ttyUSB1"),
         QPoint(783, 212),
         L::Polish,
         K::Cable,
         {}},
        {"above the screen is centred too",
         Loaded(100, -700, "PL", "USB"),
         kFullHd,
         QStringLiteral("ttyUSB1"),
         QPoint(783, 212),
         L::Polish,
         K::Cable,
         {}},
        {"the second monitor is still there",
         Loaded(2000, 155, "PL", "USB"),
         twoMonitors,
         QStringLiteral("ttyUSB1"),
         QPoint(2000, 155),
         L::Polish,
         K::Cable,
         {}},
        {"a word in the left line keeps only the port", StoppedAt(2), kFullHd,
         QStringLiteral("ttyUSB1"), P(), L::AsDesigned, K::Unchanged,
         QStringLiteral("'abc' is not a valid integer value")},
        {"a word in the top line keeps the left edge", StoppedAt(3), kFullHd,
         QStringLiteral("ttyUSB1"), QPoint(100, kDesignedPosition.y()), L::AsDesigned, K::Unchanged,
         QStringLiteral("'abc' is not a valid integer value")},
        {"a word in the height line keeps the place", StoppedAt(5), kFullHd,
         QStringLiteral("ttyUSB1"), QPoint(100, 120), L::AsDesigned, K::Unchanged,
         QStringLiteral("'abc' is not a valid integer value")},
        {"six or eight lines are ignored",
         WithOutcome(PreferencesReading::Outcome::Ignored),
         kFullHd,
         T(),
         P(),
         L::AsDesigned,
         K::Unchanged,
         {}},
        {"a file that cannot be read is reported",
         WithOutcome(PreferencesReading::Outcome::Unreadable, "Cannot read qeb01.ini: denied"),
         kFullHd, T(), P(), L::AsDesigned, K::Unchanged,
         QStringLiteral("Cannot read qeb01.ini: denied")},
        {"first run",
         WithOutcome(PreferencesReading::Outcome::Missing),
         kFullHd,
         QStringLiteral("ttyS0"),
         QPoint(783, 212),
         L::Polish,
         K::Cable,
         {}},
        {"first run centres on the primary monitor",
         WithOutcome(PreferencesReading::Outcome::Missing),
         Screens{QRect(1920, 0, 1280, 1024), twoMonitors.all},
         QStringLiteral("ttyS0"),
         QPoint(1920 + 463, 184),
         L::Polish,
         K::Cable,
         {}},
    };
    for (const auto& c : cases) {
        const StartUpPlan plan = PlanStartUp(c.reading, kWindow, c.screens);
        EXPECT_EQ(plan.firstRun, c.reading.outcome == PreferencesReading::Outcome::Missing)
            << c.shows;
        EXPECT_EQ(plan.portText, c.portText) << c.shows;
        EXPECT_EQ(plan.position, c.position) << c.shows;
        EXPECT_EQ(plan.language, c.language) << c.shows;
        EXPECT_EQ(plan.link, c.link) << c.shows;
        EXPECT_EQ(plan.error, c.error) << c.shows;
    }
}

TEST(StartUpPlan, OnlyAFirstRunOnAScreenBelow800x600Warns) {
    const struct {
        QRect screen;
        bool warns;
    } cases[] = {
        {QRect(0, 0, 800, 600), false},
        {QRect(0, 0, 799, 600), true},
        {QRect(0, 0, 800, 599), true},
        {QRect(0, 0, 640, 480), true},
    };
    for (const auto& c : cases) {
        const Screens screens{c.screen, {c.screen}};
        EXPECT_EQ(PlanStartUp(WithOutcome(PreferencesReading::Outcome::Missing), kWindow, screens)
                      .screenTooSmall,
                  c.warns)
            << c.screen.width() << "x" << c.screen.height();
        EXPECT_FALSE(PlanStartUp(Loaded(0, 0, "PL", "USB"), kWindow, screens).screenTooSmall);
    }
}

TEST(StartUpPlan, TheCloseHandlerSavesLanguageAndLinkAsTheirWords) {
    const Preferences saved =
        PreferencesOfWindow(QStringLiteral("ttyACM0"), QRect(10, 20, 361, 661), false, 1);
    EXPECT_EQ(saved.portText, QStringLiteral("ttyACM0"));
    EXPECT_EQ(QRect(saved.left, saved.top, saved.width, saved.height), QRect(10, 20, 361, 661));
    EXPECT_EQ(saved.language, QStringLiteral("EN"));
    EXPECT_EQ(saved.linkType, QStringLiteral("WIFI"));
    const Preferences other = PreferencesOfWindow(QString(), QRect(), true, 0);
    EXPECT_EQ(other.language, QStringLiteral("PL"));
    EXPECT_EQ(other.linkType, QStringLiteral("USB"));
}

}  // namespace
}  // namespace qeb::app
