#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QToolButton>
#include <functional>

#include "link/device_commands.h"
#include "support/frames.h"
#include "support/pty_pair.h"
#include "support/window_test.h"
#include "ui/connection_layout.h"
#include "ui/qeb_main_form.h"
#include "ui/settings_editors.h"
#include "ui/settings_group.h"

namespace qeb::ui {
namespace {

// Remembers the waits and lets the test look at the window while one lasts.
class WatchingSleeper final : public core::Sleeper {
public:
    void SleepMs(int milliseconds) override {
        waits.push_back(milliseconds);
        if (duringWait) {
            duringWait();
        }
    }
    std::vector<int> waits;
    std::function<void()> duringWait;
};

const char* const kEditorNames[] = {"RxSpinEdit7",  "RxSpinEdit8", "RxSpinEdit11",
                                    "RxSpinEdit12", "RxSpinEdit9", "RxSpinEdit10"};

class SettingsWindow : public test::WindowTest<WatchingSleeper> {
protected:
    QString EditorText(const char* name) { return Find<QAbstractSpinBox>(name)->text(); }
    QStringList EditorTexts() {
        QStringList texts;
        for (const char* name : kEditorNames) {
            texts << EditorText(name);
        }
        return texts;
    }
    QString FileCaption() { return Find<QLabel>("RxLabel1")->text(); }

    // The connected face without a device behind the switch.
    void EnableSettings() { ApplyConnectionLayout(window, true, window.WirelessLink()); }
    void Click(const char* name) {
        auto* button = Find<QToolButton>(name);
        ASSERT_TRUE(button->isEnabled() && button->isVisibleTo(&window)) << name;
        button->click();
    }
    void SetEditors(double phMin, double phMax, double alarm, int kh, int brightness,
                    int contrast) {
        test::SetSettingsEditors(window, phMin, phMax, alarm, kh, brightness, contrast);
    }
    void Receive(const test::FrameText& frame) { window.Receiver().Append(test::StreamFor(frame)); }
};

TEST_F(SettingsWindow, EditorsAsDesigned) {
    const struct {
        const char* name;
        const char* parent;
        QPoint at;
        double step, minimum, maximum;
        int decimals;
        const char* text;
        const char* hint;
    } editors[] = {
        {"RxSpinEdit7", "Panel1", {100, 6}, 0.01, 4.0, 8.7, 2, "6,90", "PH minimalne zakresu"},
        {"RxSpinEdit8", "Panel1", {196, 6}, 0.01, 4.1, 8.8, 2, "7,10", "PH maksymalne zakresu"},
        {"RxSpinEdit11",
         "Panel1",
         {172, 39},
         0.01,
         0,
         2.5,
         2,
         "0,20",
         "Próg alarmu obliczany jako (PHmin-ALARM oraz PHmax+ALARM)"},
        {"RxSpinEdit12", "Panel1", {188, 72}, 1, 0, 20, 0, "0", "Twardość węglanowa wody TWW (KH)"},
        {"RxSpinEdit9", "TForm1", {33, 387}, 1, 0, 100, 0, "100", "Jasność podświetlenia LCD"},
        {"RxSpinEdit10", "TForm1", {255, 387}, 1, 0, 25, 0, "14", "Kontrast LCD"},
    };
    for (const auto& e : editors) {
        auto* editor = Find<QAbstractSpinBox>(e.name);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->parentWidget()->objectName(), QString::fromLatin1(e.parent)) << e.name;
        EXPECT_EQ(editor->pos(), e.at) << e.name;
        EXPECT_GE(editor->height(), 28) << e.name;
        EXPECT_LE(editor->height(), 29) << e.name;
        EXPECT_EQ(editor->font().pixelSize(), 16) << e.name;
        EXPECT_TRUE(editor->font().bold()) << e.name;
        EXPECT_EQ(editor->text(), QString::fromLatin1(e.text)) << e.name;
        EXPECT_EQ(editor->toolTip(), QString::fromUtf8(e.hint)) << e.name;
        EXPECT_FALSE(editor->isEnabled()) << e.name;
        if (auto* decimal = qobject_cast<QDoubleSpinBox*>(editor)) {
            EXPECT_EQ(decimal->decimals(), e.decimals) << e.name;
            EXPECT_DOUBLE_EQ(decimal->singleStep(), e.step) << e.name;
            EXPECT_DOUBLE_EQ(decimal->minimum(), e.minimum) << e.name;
            EXPECT_DOUBLE_EQ(decimal->maximum(), e.maximum) << e.name;
        } else {
            auto* whole = qobject_cast<QSpinBox*>(editor);
            ASSERT_NE(whole, nullptr) << e.name;
            EXPECT_EQ(e.decimals, 0) << e.name;
            EXPECT_EQ(whole->singleStep(), e.step) << e.name;
            EXPECT_EQ(whole->minimum(), e.minimum) << e.name;
            EXPECT_EQ(whole->maximum(), e.maximum) << e.name;
        }
    }
    auto* panel = Find("Panel1");
    EXPECT_EQ(panel->geometry(), QRect(34, 470, 281, 104));
    const struct {
        const char* name;
        const char* text;
    } captions[] = {{"Label13", "ZAKRES"},
                    {"Label6", "-"},
                    {"Label14", "PRÓG ALARMU"},
                    {"Label19", "TWW (KH) WODY"}};
    for (const auto& c : captions) {
        auto* label = Find<QLabel>(c.name);
        EXPECT_EQ(label->parentWidget(), panel) << c.name;
        EXPECT_EQ(label->text(), QString::fromUtf8(c.text)) << c.name;
    }
    EXPECT_EQ(Find<QLabel>("Label13")->font().pixelSize(), 19);
    EXPECT_EQ(Find<QLabel>("Label6")->font().pixelSize(), 23);
    EXPECT_EQ(Find("Label2")->pos(), QPoint(46, 369));
    EXPECT_EQ(Find("Label28")->pos(), QPoint(264, 369));
    EXPECT_EQ(Find("Label2")->parentWidget(), &window);
}

TEST_F(SettingsWindow, SettingsGroupAsDesigned) {
    auto* group = Find<QGroupBox>("GroupBox14");
    EXPECT_EQ(group->geometry(), QRect(93, 0, 249, 108));
    EXPECT_FALSE(group->isEnabled());
    const struct {
        const char* live;
        const char* twin;
        QRect at;
    } buttons[] = {
        {"SpeedButton1", "SpeedButton10", {8, 12, 41, 41}},
        {"SpeedButton2", "SpeedButton11", {200, 12, 41, 41}},
        {"SpeedButton4", "SpeedButton13", {8, 60, 89, 41}},
        {"SpeedButton6", "SpeedButton12", {104, 60, 41, 41}},
        {"SpeedButton3", "SpeedButton14", {152, 60, 89, 41}},
    };
    const QList<QWidget*> order = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const auto& b : buttons) {
        auto* live = Find<QToolButton>(b.live);
        auto* twin = Find<QToolButton>(b.twin);
        EXPECT_EQ(live->parentWidget(), group) << b.live;
        EXPECT_EQ(live->geometry(), b.at) << b.live;
        EXPECT_EQ(twin->geometry(), b.at) << b.twin;
        EXPECT_FALSE(twin->isHidden()) << b.twin;
        EXPECT_FALSE(twin->isEnabled()) << b.twin;
        EXPECT_GT(order.indexOf(twin), order.indexOf(live)) << b.twin << " lies on top";
        EXPECT_FALSE(live->toolTip().isEmpty()) << b.live;
    }
    EXPECT_EQ(Find("SpeedButton3")->toolTip(), QStringLiteral("Wyślij ustawienia do urządzenia"));
    EXPECT_EQ(Find<QLabel>("Label327")->text(), QStringLiteral(" Plik z konfiguracją "));
    EXPECT_EQ(Find("Bevel2")->parentWidget(), group);
    auto* fileName = Find<QLabel>("RxLabel1");
    EXPECT_EQ(fileName->text(), QStringLiteral("*.*"));
    EXPECT_EQ(fileName->size(), QSize(121, 13));
    EXPECT_TRUE(fileName->wordWrap());
    EXPECT_EQ(fileName->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(fileName->toolTip(), QDir::currentPath());

    auto* restart = Find<QToolButton>("SpeedButton7");
    EXPECT_EQ(restart->geometry(), QRect(70, 52, 21, 21));
    EXPECT_TRUE(restart->isHidden());
    EXPECT_EQ(restart->toolTip(), QStringLiteral("Restart zdalny"));
}

TEST_F(SettingsWindow, ValuesOutOfRangeBecomeTheNearerBound) {
    window.Editors().SetValues({9, 4, 3, -1, 250, 1e30L});
    EXPECT_EQ(EditorTexts(), (QStringList{"8,70", "4,10", "2,50", "0", "100", "25"}));
    window.Editors().SetValues({0, 99, -2, 21, -5, -1e30L});
    EXPECT_EQ(EditorTexts(), (QStringList{"4,00", "8,80", "0,00", "20", "0", "0"}));
}

TEST_F(SettingsWindow, RecordComesFromTheEditorTexts) {
    window.Editors().SetValues({9, 7.1L, 0.53L, 4, 5, 25});
    const settings::SettingsRecord record =
        settings::BuildSettingsRecord(window.Editors().Values());
    EXPECT_EQ(record.PHminWhole, "8");
    EXPECT_EQ(record.PHminCents, "70");
    EXPECT_EQ(record.AlarmCents, "53");
    EXPECT_EQ(record.KH, "4");
    EXPECT_EQ(record.Brightness, "5");
    EXPECT_EQ(record.Contrast, "25");
}

TEST_F(SettingsWindow, TextBeingTypedIsSettledBeforeItIsRead) {
    auto* editor = Find<QDoubleSpinBox>("RxSpinEdit8");
    editor->setEnabled(true);
    editor->findChild<QLineEdit*>()->setText(QStringLiteral("4"));  // below 4,10: not a value yet
    const settings::SettingsValues values = window.Editors().Values();
    EXPECT_GE(values.PHmax, 4.1L - 1e-9L);
    EXPECT_LE(values.PHmax, 8.8L + 1e-9L);
}

class SettingsWindowOnPort : public SettingsWindow {
protected:
    test::PtyPair device;
    void SetUp() override {
        window.ComPort().SetPortName(device.TtyPath());
        window.ComPort().Open();
        EnableSettings();
    }
    std::string Sent(std::size_t bytes = link::kCommandLengthChars, int timeoutMs = 2000) {
        return device.Read(bytes, timeoutMs);
    }
};

TEST_F(SettingsWindowOnPort, SendWritesTheExampleCommandAndShowsTheBusyLook) {
    bool busyLookDuringWait = false;
    sleeper.duringWait = [this, &busyLookDuringWait] {
        busyLookDuringWait = !Find("SpeedButton14")->isHidden() && Find("SpeedButton3")->isHidden();
    };
    Click("SpeedButton3");
    EXPECT_EQ(Sent(64, 300), "10001400701000609002000000000011");
    EXPECT_EQ(sleeper.waits, std::vector<int>{800});
    EXPECT_TRUE(busyLookDuringWait);
    EXPECT_TRUE(Find("SpeedButton14")->isHidden());
    EXPECT_FALSE(Find("SpeedButton3")->isHidden());
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
    EXPECT_EQ(window.CurrentSettingsRecord().PHminCents, "090") << "the padded values stay";
}

TEST_F(SettingsWindowOnPort, SendCarriesTheEditedValuesAndAFetchGivesThemBack) {
    SetEditors(4.05, 7.1, 2.5, 0, 5, 25);
    Click("SpeedButton3");
    const std::string command = Sent();
    ASSERT_EQ(command.size(), 32u);
    EXPECT_EQ(command.substr(0, 3), "005");
    EXPECT_EQ(command.substr(3, 3), "025");
    EXPECT_EQ(command.substr(12, 6), "004005");
    EXPECT_EQ(command.substr(18, 3), "250");

    SetEditors(6.9, 7.1, 0.2, 0, 100, 14);
    Click("SpeedButton4");
    EXPECT_EQ(EditorTexts(), (QStringList{"4,05", "7,10", "2,50", "0", "5", "25"}));
}

TEST_F(SettingsWindowOnPort, SendAfterEditingLowerBound605FetchesBack605) {
    SetEditors(6.05, 7.1, 0.2, 0, 100, 14);
    Click("SpeedButton3");
    EXPECT_EQ(Sent().substr(12, 6), "006005");
    EXPECT_EQ(window.Receiver().CurrentStatus().PHmin, "6,05");
    SetEditors(7, 7.1, 0.2, 0, 100, 14);
    Click("SpeedButton4");
    EXPECT_EQ(EditorText("RxSpinEdit7"), QStringLiteral("6,05"));
}

TEST_F(SettingsWindowOnPort, FactoryResetSendsFirstThenSetsTheDefaults) {
    SetEditors(5, 8, 1, 7, 50, 3);
    Find<QLabel>("RxLabel1")->setText(QStringLiteral("moje.qeb"));
    Click("SpeedButton6");
    EXPECT_EQ(Sent(64, 300), std::string(32, '2'));
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].startsWith(QStringLiteral(
        "Czy jesteś pewnien, że chcesz przywrócić ustawienia domyślne (fabryczne)?")));
    EXPECT_TRUE(
        prompts.questions[0].endsWith(QStringLiteral("Bieżące ustawienia będą wykasowane ...")));
    EXPECT_EQ(EditorTexts(), (QStringList{"6,90", "7,10", "0,20", "0", "100", "14"}));
    EXPECT_EQ(FileCaption(), QStringLiteral("*.*"));
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Po przywróceniu ustawień domyślnych, do poprawnej pracy "
                                         "urządzenia WYMAGANA jest kalibracja!")});
}

TEST_F(SettingsWindowOnPort, CancelledFactoryResetSendsAndChangesNothing) {
    SetEditors(5, 8, 1, 7, 50, 3);
    Find<QLabel>("RxLabel1")->setText(QStringLiteral("moje.qeb"));
    const QStringList before = EditorTexts();
    prompts.answerOk = false;
    Click("SpeedButton6");
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(Sent(1, 300), "");
    EXPECT_EQ(EditorTexts(), before);
    EXPECT_EQ(FileCaption(), QStringLiteral("moje.qeb"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(SettingsWindowOnPort, FactoryResetSpeaksEnglishWhenEnglishIsChosen) {
    test::LeftClick(Find("Image15"));
    ASSERT_FALSE(window.IsPolish());
    Click("SpeedButton6");
    EXPECT_EQ(Sent(), std::string(32, '2'));
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].startsWith(
        QStringLiteral("Are you sure, You want to restore the default values?")));
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("After restore the default settings, REQUIRE probe "
                                         "calibration process!")});
}

TEST_F(SettingsWindowOnPort, RestartSendsItsMessageAndChangesNothing) {
    SetEditors(5, 8, 1, 7, 50, 3);
    const QStringList before = EditorTexts();
    auto* restart = Find<QToolButton>("SpeedButton7");
    restart->show();
    restart->click();
    EXPECT_EQ(Sent(64, 300), std::string(32, '3'));
    EXPECT_EQ(EditorTexts(), before);
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(SettingsWindowOnPort, WritesWhileThePortIsClosedReportPortNotOpen) {
    window.ComPort().Close();
    const link::StatusFrame statusBefore = window.Receiver().CurrentStatus();
    SetEditors(5, 8, 1, 7, 50, 3);
    Click("SpeedButton3");
    EXPECT_EQ(prompts.errors, QStringList{QStringLiteral("Port Not Open")});
    EXPECT_TRUE(sleeper.waits.empty()) << "no busy look after a failed send";
    EXPECT_EQ(window.Receiver().CurrentStatus(), statusBefore);
    EXPECT_FALSE(Find("SpeedButton3")->isHidden());

    Find<QLabel>("RxLabel1")->setText(QStringLiteral("moje.qeb"));
    Click("SpeedButton6");
    EXPECT_EQ(prompts.errors.size(), 2);
    EXPECT_EQ(EditorText("RxSpinEdit9"), QStringLiteral("50")) << "defaults only after the send";
    EXPECT_TRUE(prompts.messages.isEmpty());

    auto* restart = Find<QToolButton>("SpeedButton7");
    restart->show();
    restart->click();
    EXPECT_EQ(prompts.errors.size(), 3);
    EXPECT_EQ(prompts.errors.last(), QStringLiteral("Port Not Open"));
}

TEST_F(SettingsWindow, FetchPutsTheLastAcceptedFrameIntoTheEditors) {
    EnableSettings();
    test::FrameText frame;
    frame.PHmin = "6,50";
    frame.PHmax = "7,40";
    frame.Alarm = "35";
    frame.KH = "4";
    frame.Brightness = "80";
    frame.Contrast = "12";
    Receive(frame);
    Find<QLabel>("RxLabel1")->setText(QStringLiteral("moje.qeb"));
    Click("SpeedButton4");
    EXPECT_EQ(EditorTexts(), (QStringList{"6,50", "7,40", "0,35", "4", "80", "12"}));
    EXPECT_EQ(FileCaption(), QStringLiteral("*.*"));

    test::FrameText halfReceived;
    halfReceived.Contrast = "1";
    halfReceived.Blank = "";
    Receive(halfReceived);
    SetEditors(5, 8, 1, 7, 50, 3);
    Click("SpeedButton4");
    EXPECT_EQ(EditorTexts(), (QStringList{"6,50", "7,40", "0,35", "4", "80", "12"}))
        << "the rejected frame's settings never reach the editors";
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(SettingsWindow, FetchBeforeAnyFrameChangesNothing) {
    EnableSettings();
    SetEditors(5, 8, 1, 7, 50, 3);
    const QStringList before = EditorTexts();
    Find<QLabel>("RxLabel1")->setText(QStringLiteral("moje.qeb"));
    Click("SpeedButton4");
    EXPECT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(EditorTexts(), before);
    EXPECT_EQ(FileCaption(), QStringLiteral("moje.qeb"));
}

TEST_F(SettingsWindow, SaveAndLoadRoundTrip) {
    EnableSettings();
    SetEditors(6.05, 7.35, 0.53, 3, 90, 20);
    const QString path = folder.FilePath(QStringLiteral("akwarium.qeb"));
    prompts.filesToSave.push_back(path);
    Click("SpeedButton2");
    ASSERT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    const core::FileDialogRequest& request = prompts.saveRequests[0];
    EXPECT_EQ(request.startFolder, QDir::currentPath());
    EXPECT_EQ(request.filter, QStringLiteral("Pliki ustawień Qeb-01 (*.qeb)"));
    EXPECT_EQ(request.proposedName, QStringLiteral("ustawienia"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("qeb"));
    EXPECT_EQ(FileCaption(), QStringLiteral("akwarium.qeb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("90\r\n20\r\n7\r\n35\r\n6\r\n5\r\n53\r\n3\r\n0\r\n0\r\n"));
    EXPECT_EQ(sleeper.waits, std::vector<int>(10, 1));
    EXPECT_EQ(window.Receiver().CurrentStatus().PHmax, "7,35");

    SetEditors(5, 8, 1, 7, 50, 3);
    Find<QLabel>("RxLabel1")->setText(QStringLiteral("*.*"));
    prompts.filesToOpen.push_back(path);
    Click("SpeedButton1");
    ASSERT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join('\n').toStdString();
    ASSERT_EQ(prompts.openRequests.size(), 1u);
    EXPECT_EQ(prompts.openRequests[0].filter, QStringLiteral("Pliki ustawień Qeb-01 (*.qeb)"));
    EXPECT_EQ(prompts.openRequests[0].defaultSuffix, QStringLiteral("qeb"));
    EXPECT_EQ(EditorTexts(), (QStringList{"6,05", "7,35", "0,53", "3", "90", "20"}));
    EXPECT_EQ(FileCaption(), QStringLiteral("akwarium.qeb"));
    EXPECT_EQ(window.Receiver().ReceiveBuffer(),
              "\r\n90\r\n20\r\n7\r\n35\r\n6\r\n5\r\n53\r\n3\r\n0\r\n0\r\n");
}

TEST_F(SettingsWindow, LoadedValuesOutOfRangeAreClamped) {
    EnableSettings();
    const QString path = folder.FilePath(QStringLiteral("za_duzo.qeb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("150\r\n30\r\n9\r\n0\r\n9\r\n0\r\n300\r\n25\r\n0\r\n0\r\n");
    file.close();
    prompts.filesToOpen.push_back(path);
    Click("SpeedButton1");
    EXPECT_EQ(EditorTexts(), (QStringList{"8,70", "8,80", "2,50", "20", "100", "25"}));
}

TEST_F(SettingsWindow, RefusedFileLeavesEditorsAndNameAlone) {
    EnableSettings();
    SetEditors(5, 8, 1, 7, 50, 3);
    const QStringList before = EditorTexts();
    Find<QLabel>("RxLabel1")->setText(QStringLiteral("moje.qeb"));
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"slowo.qeb", "100\r\n14\r\nsiedem\r\n10\r\n6\r\n90\r\n20\r\n0\r\n0\r\n0\r\n"},
        {"krotki.qeb", "100\r\n14\r\n7\r\n10\r\n6\r\n"},
        {"pusty.qeb", ""},
        {"wielki.qeb", QByteArray(1 << 20, '7')},
    };
    int errors = 0;
    for (const auto& f : files) {
        const QString path = folder.FilePath(QString::fromLatin1(f.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(f.bytes);
        file.close();
        prompts.filesToOpen.push_back(path);
        Click("SpeedButton1");
        EXPECT_EQ(prompts.errors.size(), ++errors) << f.name;
        EXPECT_EQ(EditorTexts(), before) << f.name;
        EXPECT_EQ(FileCaption(), QStringLiteral("moje.qeb")) << f.name;
    }
    EXPECT_TRUE(sleeper.waits.empty());
}

TEST_F(SettingsWindow, CancelledDialogsChangeOnlyTheFolderHint) {
    EnableSettings();
    auto* fileName = Find<QLabel>("RxLabel1");
    fileName->setToolTip(QStringLiteral("/elsewhere"));
    fileName->setText(QStringLiteral("moje.qeb"));
    const QStringList before = EditorTexts();
    Click("SpeedButton2");
    EXPECT_EQ(fileName->toolTip(), QDir::currentPath());
    fileName->setToolTip(QStringLiteral("/elsewhere"));
    Click("SpeedButton1");
    EXPECT_EQ(fileName->toolTip(), QDir::currentPath());
    EXPECT_EQ(fileName->text(), QStringLiteral("moje.qeb"));
    EXPECT_EQ(EditorTexts(), before);
    EXPECT_TRUE(QDir(folder.Path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(SettingsWindow, ClickOnTheFileNameOpensTheDialogsFolder) {
    EnableSettings();
    Find<QLabel>("RxLabel1")->setToolTip(QStringLiteral("/srv/akwarium"));
    test::LeftClick(Find("RxLabel1"));
    EXPECT_EQ(prompts.openedFolders, QStringList{QStringLiteral("/srv/akwarium")});
}

}  // namespace
}  // namespace qeb::ui
