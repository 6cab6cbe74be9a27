#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

namespace qeb::app {

// What the window remembers between runs, in the file "qeb01.ini" of the working folder.
struct Preferences {
    QString portText;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString language;  // "PL" or "EN"; anything else leaves the designed language
    QString linkType;  // "USB" or "WIFI"; anything else changes nothing
};

inline constexpr const char* kPreferencesFileName = "qeb01.ini";
inline constexpr int kPreferencesLineCount = 7;

// What a read found. Lines are applied in order, so a bad number stops at its line: the fields
// before it are valid, the ones from it on are not.
struct PreferencesReading {
    enum class Outcome {
        Missing,     // no file: the first run
        Ignored,     // not exactly seven lines
        Loaded,      // all seven lines read
        BadNumber,   // a position or size line is not a whole number; `error` says which
        Unreadable,  // the file exists but cannot be read; `error` says why
    };
    Outcome outcome = Outcome::Missing;
    Preferences preferences;
    // For BadNumber: how many of the lines 1..7 are valid (1 = only the port text).
    int validLines = 0;
    QString error;
};

// The preferences file in `folder`.
QString PreferencesPath(const QString& folder);

PreferencesReading ReadPreferences(const QString& path);

// Rewrites the whole file: seven CR LF lines. Throws core::FileError.
void WritePreferences(const QString& path, const Preferences& preferences);

// Where the first run places a window: centred for the 354 x 655 the layout was drawn for.
QRect FirstRunPlacement(const QRect& screen);

// The first run warns below this.
inline constexpr int kMinimumScreenWidth = 800;
inline constexpr int kMinimumScreenHeight = 600;
inline constexpr const char* kScreenTooSmallMessage =
    "Do poprawnego dzialania program wymaga \r\nrozdzielczosci minimum SVGA 800x600";

// A saved rectangle still lies (at least partly) on one of the screens there are now.
bool TouchesAnyScreen(const QRect& window, const QList<QRect>& screens);

}  // namespace qeb::app
