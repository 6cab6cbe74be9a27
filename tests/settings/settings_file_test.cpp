#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <string>

#include "core/errors.h"
#include "support/recording_sleeper.h"
#include "support/temp_folder.h"

namespace qeb::settings {
namespace {

class SettingsFile : public testing::Test {
protected:
    test::TempWorkingFolder folder;
    test::RecordingSleeper sleeper;
    link::FrameReceiver receiver;
    SettingsRecord record = BuildSettingsRecord(kFactorySettings);

    QString Write(const std::string& bytes, const char* name = "ustawienia.qeb") {
        const QString path = folder.FilePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    static std::string Read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }
};

TEST_F(SettingsFile, SaveWritesTenCrLfLinesWithAPauseEach) {
    const QString path = folder.FilePath(QStringLiteral("a.qeb"));
    SaveSettingsFile(path, record, sleeper);
    EXPECT_EQ(Read(path), "100\r\n14\r\n7\r\n10\r\n6\r\n90\r\n20\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(sleeper.waits, std::vector<int>(10, 1));
}

TEST_F(SettingsFile, SaveReplacesAnExistingFile) {
    const QString path = Write(std::string(2000, 'x'));
    SaveSettingsFile(path, record, sleeper);
    EXPECT_EQ(Read(path), "100\r\n14\r\n7\r\n10\r\n6\r\n90\r\n20\r\n0\r\n0\r\n0\r\n");
}

TEST_F(SettingsFile, SaveIntoAMissingFolderFails) {
    EXPECT_THROW(
        SaveSettingsFile(folder.FilePath(QStringLiteral("no/such/a.qeb")), record, sleeper),
        core::FileError);
}

TEST_F(SettingsFile, LoadGivesBackWhatWasSaved) {
    SettingsRecord saved =
        BuildSettingsRecord({6 + 5.0L / 100, 7 + 10.0L / 100, 35.0L / 100, 4, 55, 20});
    const QString path = folder.FilePath(QStringLiteral("b.qeb"));
    SaveSettingsFile(path, saved, sleeper);
    sleeper.waits.clear();

    const SettingsValues values = LoadSettingsFile(path, record, receiver, sleeper);
    EXPECT_EQ(values, SettingsFromRecord(saved));
    EXPECT_EQ(values.PHmin, 6 + 5.0L / 100);
    EXPECT_EQ(record.PHminCents, "5");
    EXPECT_EQ(record, saved);
    EXPECT_EQ(sleeper.waits, std::vector<int>(10, 1));
    EXPECT_EQ(receiver.ReceiveBuffer(),
              "\r\n55\r\n20\r\n7\r\n10\r\n6\r\n5\r\n35\r\n4\r\n0\r\n0\r\n");
}

TEST_F(SettingsFile, LinesAfterTheTenthReachOnlyTheReceiveBuffer) {
    receiver.AppendLine("7,05");
    const QString path =
        Write("100\r\n14\r\n7\r\n10\r\n6\r\n90\r\n20\r\n0\r\n0\r\n0\r\nextra\r\n-\r\n");
    LoadSettingsFile(path, record, receiver, sleeper);
    EXPECT_EQ(record.Spare2, "0");
    EXPECT_EQ(record.CommandCode, "");
    EXPECT_EQ(receiver.ReceiveBuffer(),
              "\r\n100\r\n14\r\n7\r\n10\r\n6\r\n90\r\n20\r\n0\r\n0\r\n0\r\nextra\r\n-\r\n")
        << "the buffer was emptied first";
    EXPECT_EQ(sleeper.waits.size(), 12u);
}

TEST_F(SettingsFile, EightLinesAreEnoughAndTheSparesStay) {
    record.Spare1 = "000";
    const QString path = Write("100\n14\n7\n10\n6\n5\n20\n3");
    const SettingsValues values = LoadSettingsFile(path, record, receiver, sleeper);
    EXPECT_EQ(values.PHmin, 6 + 5.0L / 100);
    EXPECT_EQ(values.KH, 3);
    EXPECT_EQ(record.Spare1, "000");
}

TEST_F(SettingsFile, RefusedFilesChangeNothing) {
    const struct {
        const char* shows;
        std::string bytes;
        bool conversion;
    } cases[] = {
        {"a word in line 3", "100\r\n14\r\nseven\r\n10\r\n6\r\n90\r\n20\r\n0\r\n0\r\n0\r\n", true},
        {"a decimal in line 6", "100\r\n14\r\n7\r\n10\r\n6\r\n9,5\r\n20\r\n0\r\n0\r\n0\r\n", true},
        {"five lines", "100\r\n14\r\n7\r\n10\r\n6\r\n", false},
        {"seven lines", "100\r\n14\r\n7\r\n10\r\n6\r\n90\r\n20\r\n", false},
        {"an empty file", "", false},
        {"1 MB", std::string(1 << 20, '1'), false},
        {"4097 bytes of short lines",
         [] {
             std::string text;
             while (text.size() < 4097) {
                 text += "1\n";
             }
             return text.substr(0, 4097);
         }(),
         false},
    };
    for (const auto& c : cases) {
        const SettingsRecord before = record;
        receiver.ResetReceiveBuffer();
        receiver.AppendLine("kept");
        sleeper.waits.clear();
        const QString path = Write(c.bytes);
        if (c.conversion) {
            EXPECT_THROW(LoadSettingsFile(path, record, receiver, sleeper), core::ConversionError)
                << c.shows;
        } else {
            try {
                LoadSettingsFile(path, record, receiver, sleeper);
                ADD_FAILURE() << c.shows << " was loaded";
            } catch (const core::FileError& error) {
                EXPECT_NE(std::string(error.what()).find("is not a Qeb-01 settings file"),
                          std::string::npos)
                    << c.shows << ": " << error.what();
            }
        }
        EXPECT_EQ(record, before) << c.shows;
        EXPECT_EQ(receiver.ReceiveBuffer(), "\r\nkept\r\n") << c.shows;
        EXPECT_TRUE(sleeper.waits.empty()) << c.shows;
    }
}

TEST_F(SettingsFile, FileOfExactlyTheLimitIsRead) {
    std::string text = "100\r\n14\r\n7\r\n10\r\n6\r\n90\r\n20\r\n0\r\n0\r\n0\r\n";
    text += std::string(kSettingsFileLimitBytes - text.size() - 2, '9') + "\r\n";
    ASSERT_EQ(text.size(), static_cast<std::size_t>(kSettingsFileLimitBytes));
    EXPECT_NO_THROW(LoadSettingsFile(Write(text), record, receiver, sleeper));
}

TEST_F(SettingsFile, MissingFileFails) {
    EXPECT_THROW(
        LoadSettingsFile(folder.FilePath(QStringLiteral("none.qeb")), record, receiver, sleeper),
        core::FileError);
}

}  // namespace
}  // namespace qeb::settings
