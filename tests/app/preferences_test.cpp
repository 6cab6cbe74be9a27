#include "app/preferences.h"

#include <gtest/gtest.h>

#include <QFile>

#include "core/errors.h"
#include "support/temp_folder.h"

namespace qeb::app {
namespace {

void WriteRaw(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray ReadRaw(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PreferencesFile : public testing::Test {
protected:
    test::TempWorkingFolder folder;
    QString path = PreferencesPath(folder.Path());
};

TEST_F(PreferencesFile, WritesSevenCrLfLinesAndReadsThemBack) {
    const Preferences saved{QStringLiteral("ttyUSB0"), 582, 155, 361, 661, QStringLiteral("EN"),
                            QStringLiteral("WIFI")};
    WritePreferences(path, saved);
    EXPECT_EQ(ReadRaw(path), QByteArray("ttyUSB0\r\n582\r\n155\r\n361\r\n661\r\nEN\r\nWIFI\r\n"));

    const PreferencesReading reading = ReadPreferences(path);
    ASSERT_EQ(reading.outcome, PreferencesReading::Outcome::Loaded);
    EXPECT_EQ(reading.preferences.portText, saved.portText);
    EXPECT_EQ(reading.preferences.left, 582);
    EXPECT_EQ(reading.preferences.top, 155);
    EXPECT_EQ(reading.preferences.width, 361);
    EXPECT_EQ(reading.preferences.height, 661);
    EXPECT_EQ(reading.preferences.language, QStringLiteral("EN"));
    EXPECT_EQ(reading.preferences.linkType, QStringLiteral("WIFI"));
}

TEST_F(PreferencesFile, OnlyExactlySevenLinesCount) {
    EXPECT_EQ(ReadPreferences(path).outcome, PreferencesReading::Outcome::Missing);
    const struct {
        const char* what;
        QByteArray content;
        PreferencesReading::Outcome outcome;
    } cases[] = {
        {"six lines", "COM3\r\n1\r\n2\r\n3\r\n4\r\nPL\r\n", PreferencesReading::Outcome::Ignored},
        {"eight lines", "COM3\r\n1\r\n2\r\n3\r\n4\r\nPL\r\nUSB\r\nx\r\n",
         PreferencesReading::Outcome::Ignored},
        {"empty", "", PreferencesReading::Outcome::Ignored},
        {"last line without a break", "COM3\r\n1\r\n2\r\n3\r\n4\r\nPL\r\nUSB",
         PreferencesReading::Outcome::Loaded},
        {"LF only", "COM3\n1\n2\n3\n4\nPL\nUSB\n", PreferencesReading::Outcome::Loaded},
        {"an empty port line still counts", "\r\n1\r\n2\r\n3\r\n4\r\nPL\r\nUSB\r\n",
         PreferencesReading::Outcome::Loaded},
    };
    for (const auto& c : cases) {
        WriteRaw(path, c.content);
        EXPECT_EQ(ReadPreferences(path).outcome, c.outcome) << c.what;
    }
}

TEST_F(PreferencesFile, ABadNumberStopsAtItsLineAndNamesTheText) {
    WriteRaw(path, "COM3\r\n100\r\nabc\r\n361\r\n661\r\nEN\r\nWIFI\r\n");
    const PreferencesReading reading = ReadPreferences(path);
    ASSERT_EQ(reading.outcome, PreferencesReading::Outcome::BadNumber);
    EXPECT_EQ(reading.validLines, 2);
    EXPECT_EQ(reading.preferences.portText, QStringLiteral("COM3"));
    EXPECT_EQ(reading.preferences.left, 100);
    EXPECT_TRUE(reading.error.contains(QStringLiteral("'abc'"))) << reading.error.toStdString();
    EXPECT_TRUE(reading.preferences.language.isEmpty());

    WriteRaw(path, "COM3\r\n99999999999\r\n1\r\n361\r\n661\r\nEN\r\nWIFI\r\n");
    EXPECT_EQ(ReadPreferences(path).outcome, PreferencesReading::Outcome::BadNumber);
}

TEST_F(PreferencesFile, AnUnwritableFolderIsAnErrorNotSilence) {
    const QString missing = folder.FilePath(QStringLiteral("gone/qeb01.ini"));
    EXPECT_THROW(WritePreferences(missing, Preferences{}), core::FileError);
    // A folder in the way of the file's own name.
    WriteRaw(folder.FilePath(QStringLiteral("file")), "x");
    EXPECT_THROW(WritePreferences(folder.FilePath(QStringLiteral("file/qeb01.ini")), Preferences{}),
                 core::FileError);
}

TEST(WindowPlacement, FirstRunCentresTheDrawnWindowOnTheScreen) {
    EXPECT_EQ(FirstRunPlacement(QRect(0, 0, 800, 600)).topLeft(), QPoint(223, -27));
    EXPECT_EQ(FirstRunPlacement(QRect(0, 0, 1920, 1080)).topLeft(), QPoint(783, 212));
    // Odd differences truncate toward zero on both sides of zero.
    EXPECT_EQ(FirstRunPlacement(QRect(0, 0, 355, 654)).topLeft(), QPoint(0, 0));
}

TEST(WindowPlacement, ASavedWindowMustTouchAScreenThatIsThere) {
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080)};
    EXPECT_TRUE(TouchesAnyScreen(QRect(582, 155, 361, 661), screens));
    EXPECT_TRUE(TouchesAnyScreen(QRect(1900, 1000, 361, 661), screens));
    EXPECT_FALSE(TouchesAnyScreen(QRect(2000, 155, 361, 661), screens));  // monitor unplugged
    EXPECT_FALSE(TouchesAnyScreen(QRect(-500, -900, 361, 661), screens));
    EXPECT_TRUE(TouchesAnyScreen(QRect(2000, 155, 361, 661),
                                 {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}));
}

}  // namespace
}  // namespace qeb::app
