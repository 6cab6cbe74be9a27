#include "ui/language_texts.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QToolButton>
#include <set>
#include <utility>

namespace qeb::ui {
namespace {

// A window with one control of a fitting kind for every control the table names.
class EveryControl : public testing::Test {
protected:
    QWidget window;

    void SetUp() override {
        for (const LanguageRow& row : LanguageTable()) {
            const QString name = QString::fromLatin1(row.control);
            if (window.findChild<QWidget*>(name) != nullptr) {
                continue;
            }
            QWidget* control = nullptr;
            if (name.startsWith(QLatin1String("Label"))) {
                control = new QLabel(QStringLiteral("design"), &window);
                control->move(0, 23);
            } else if (name.startsWith(QLatin1String("SpeedButton"))) {
                control = new QToolButton(&window);
            } else if (name.startsWith(QLatin1String("RxSpinEdit"))) {
                control = new QDoubleSpinBox(&window);
            } else if (name == QLatin1String("ComboBox1")) {
                control = new QComboBox(&window);
            } else if (name == QLatin1String("CheckBox1")) {
                control = new QCheckBox(&window);
            } else {
                control = new QWidget(&window);
            }
            control->setObjectName(name);
        }
    }

    QWidget* Control(const char* name) {
        return window.findChild<QWidget*>(QString::fromLatin1(name));
    }

    // What the row's property holds now on its control.
    QString Current(const LanguageRow& row) {
        QWidget* control = Control(row.control);
        switch (row.property) {
            case TextProperty::Caption:
                return control->property("text").toString();
            case TextProperty::Hint:
                return control->toolTip();
            case TextProperty::LeftEdge:
                return QString::number(control->x());
        }
        return {};
    }

    void ExpectEveryRow(Language language, bool switchOn) {
        for (const LanguageRow& row : LanguageTable()) {
            if (row.when != SwitchState::Any && (row.when == SwitchState::On) != switchOn) {
                continue;
            }
            const char* expected = language == Language::Polish ? row.polish : row.english;
            EXPECT_EQ(Current(row), QString::fromUtf8(expected))
                << row.control << " property " << static_cast<int>(row.property);
        }
    }
};

TEST_F(EveryControl, EveryRowIsAppliedInBothLanguagesAndBack) {
    ApplyLanguage(window, Language::English, false);
    ExpectEveryRow(Language::English, false);
    ApplyLanguage(window, Language::Polish, false);
    ExpectEveryRow(Language::Polish, false);
    ApplyLanguage(window, Language::English, true);
    ExpectEveryRow(Language::English, true);
}

TEST_F(EveryControl, DesignCaptionsAndTheCodeLabelChange) {
    ApplyLanguage(window, Language::Polish, false);
    EXPECT_EQ(Current({"Label2", TextProperty::Caption, SwitchState::Any, "", ""}), "JAS");
    EXPECT_EQ(Current({"Label28", TextProperty::Caption, SwitchState::Any, "", ""}), "KON");
    EXPECT_EQ(Control("Label1")->pos(), QPoint(39, 23));
    ApplyLanguage(window, Language::English, false);
    EXPECT_EQ(Current({"Label2", TextProperty::Caption, SwitchState::Any, "", ""}), "BRI");
    EXPECT_EQ(Current({"Label1", TextProperty::Caption, SwitchState::Any, "", ""}), "EN");
    EXPECT_EQ(Control("Label1")->toolTip(), "english");
    // Only the left edge moves; the top stays where the layout put it.
    EXPECT_EQ(Control("Label1")->pos(), QPoint(38, 23));
    EXPECT_EQ(Control("Label327")->property("text").toString(), " Configuration file ");
}

TEST_F(EveryControl, SwitchHintFollowsTheSwitchState) {
    const struct {
        Language language;
        bool switchOn;
        const char* hint;
    } cases[] = {{Language::Polish, false, "Połącz ..."},
                 {Language::Polish, true, "Rozłącz ..."},
                 {Language::English, false, "Connect ..."},
                 {Language::English, true, "Disconnect ..."}};
    for (const auto& c : cases) {
        ApplyLanguage(window, c.language, c.switchOn);
        EXPECT_EQ(Control("RxSwitch1")->toolTip(), QString::fromUtf8(c.hint));
        EXPECT_EQ(SwitchHint(c.switchOn, c.language), QString::fromUtf8(c.hint));
    }
}

TEST(LanguageTable, NoTwoRowsSetTheSameThingSoOrderCannotMatter) {
    for (const bool switchOn : {false, true}) {
        std::set<std::pair<std::string, int>> seen;
        for (const LanguageRow& row : LanguageTable()) {
            if (row.when != SwitchState::Any && (row.when == SwitchState::On) != switchOn) {
                continue;
            }
            EXPECT_TRUE(seen.insert({row.control, static_cast<int>(row.property)}).second)
                << row.control;
        }
    }
}

TEST(LanguageTable, MissingControlsArePassedOver) {
    QWidget window;
    auto* label2 = new QLabel(QStringLiteral("BRI"), &window);
    label2->setObjectName(QStringLiteral("Label2"));
    ApplyLanguage(window, Language::Polish, false);
    EXPECT_EQ(label2->text(), "JAS");
}

TEST(MomentTexts, DayNamesStartOnSundayInBothLanguages) {
    // 2016-10-02 was a Sunday.
    const QDate sunday(2016, 10, 2);
    const char* polish[] = {"Niedziela", "Poniedziałek", "Wtorek", "Środa",
                            "Czwartek",  "Piątek",       "Sobota"};
    const char* english[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                             "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 7; ++i) {
        const int dayOfWeek = sunday.addDays(i).dayOfWeek();
        EXPECT_EQ(DayName(dayOfWeek, Language::Polish), QString::fromUtf8(polish[i])) << i;
        EXPECT_EQ(DayName(dayOfWeek, Language::English), QString::fromUtf8(english[i])) << i;
    }
}

}  // namespace
}  // namespace qeb::ui
