#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include "support/window_test.h"
#include "ui/language_texts.h"
#include "ui/qeb_main_form.h"

namespace qeb::ui {
namespace {

class WindowFrame : public test::WindowTest<> {
protected:
    // Every row of the language table holds the given language on the window.
    void ExpectLanguageOnWindow(Language language, bool switchOn) {
        for (const LanguageRow& row : LanguageTable()) {
            if (row.when != SwitchState::Any && (row.when == SwitchState::On) != switchOn) {
                continue;
            }
            auto* control = window.findChild<QWidget*>(QString::fromLatin1(row.control));
            ASSERT_NE(control, nullptr) << row.control;
            const QString expected =
                QString::fromUtf8(language == Language::Polish ? row.polish : row.english);
            switch (row.property) {
                case TextProperty::Caption:
                    EXPECT_EQ(control->property("text").toString(), expected) << row.control;
                    break;
                case TextProperty::Hint:
                    EXPECT_EQ(control->toolTip(), expected) << row.control;
                    break;
                case TextProperty::LeftEdge:
                    EXPECT_EQ(QString::number(control->x()), expected) << row.control;
                    break;
            }
        }
    }
};

TEST_F(WindowFrame, CaptionSizeFontAndBackground) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("PH Controller Qeb-01 - ") +
                                        QLatin1String(QebMainForm::kMakerAddress));
    EXPECT_EQ(window.size(), QSize(345, 623));
    EXPECT_EQ(window.font().pixelSize(), 11);
    EXPECT_TRUE(window.font().bold());
    EXPECT_EQ(window.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(window.palette().color(QPalette::Inactive, QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(0xB4, 0xB4, 0xB4));
}

TEST_F(WindowFrame, FrontPanelLiesBehindEverything) {
    QWidget* image3 = Find("Image3");
    ASSERT_NE(image3, nullptr);
    EXPECT_EQ(image3->geometry(), QRect(0, 118, 345, 505));
    EXPECT_EQ(image3->parentWidget(), &window);
    // Siblings are stacked in child order, the first one lowest.
    for (QObject* child : window.children()) {
        if (child->isWidgetType()) {
            EXPECT_EQ(child, image3) << "lowest is " << child->objectName().toStdString();
            break;
        }
    }
}

TEST_F(WindowFrame, LanguageSelectorControlsSitAsDesigned) {
    QWidget* group = Find("GroupBox2");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->geometry(), QRect(2, 0, 88, 44));
    EXPECT_EQ(group->toolTip(), QString::fromUtf8("   Wybór języka \nChoose language"));
    const struct {
        const char* name;
        QRect geometry;
        bool shown;
        const char* hint;
    } flags[] = {{"Image12", {13, 13, 24, 24}, false, "Język polski"},
                 {"Image13", {13, 13, 24, 24}, true, "Język polski"},
                 {"Image14", {53, 12, 24, 24}, false, "English language"},
                 {"Image15", {53, 12, 24, 24}, true, "English language"}};
    for (const auto& f : flags) {
        QWidget* flag = Find(f.name);
        ASSERT_NE(flag, nullptr) << f.name;
        EXPECT_EQ(flag->parentWidget(), group) << f.name;
        EXPECT_EQ(flag->geometry(), f.geometry) << f.name;
        EXPECT_EQ(!flag->isHidden(), f.shown) << f.name;
        EXPECT_EQ(flag->toolTip(), QString::fromUtf8(f.hint)) << f.name;
    }
    auto* label1 = Find<QLabel>("Label1");
    ASSERT_NE(label1, nullptr);
    EXPECT_EQ(label1->parentWidget(), group);
    EXPECT_EQ(label1->pos(), QPoint(39, 23));
    EXPECT_EQ(label1->text(), "PL");
    EXPECT_EQ(label1->toolTip(), "polski");
    EXPECT_TRUE(window.IsPolish());
}

TEST_F(WindowFrame, ClockLabelsSitAsDesigned) {
    const struct {
        const char* name;
        QPoint at;
        const char* text;
        const char* hint;
    } labels[] = {{"Label4", {24, 110}, "2016-10-01", "data ..."},
                  {"Label3", {105, 110}, "Poniedzialek", "dziś jest ..."},
                  {"Label5", {265, 110}, "18:00:00", "obecna godzina ..."}};
    for (const auto& l : labels) {
        auto* label = Find<QLabel>(l.name);
        ASSERT_NE(label, nullptr) << l.name;
        EXPECT_EQ(label->parentWidget(), &window) << l.name;
        EXPECT_EQ(label->pos(), l.at) << l.name;
        EXPECT_EQ(label->text(), QString::fromUtf8(l.text)) << l.name;
        EXPECT_EQ(label->toolTip(), QString::fromUtf8(l.hint)) << l.name;
        EXPECT_EQ(label->font().pixelSize(), 13) << l.name;
        EXPECT_TRUE(label->font().bold()) << l.name;
        EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black))
            << l.name;
        // Disabled at design, and drawn so.
        EXPECT_NE(label->palette().color(QPalette::Disabled, QPalette::WindowText),
                  QColor(Qt::black))
            << l.name;
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor) << l.name;
        EXPECT_FALSE(label->isEnabled()) << l.name;
        // Clicks go to the date settings only once the label is enabled.
        Click(l.name);
        EXPECT_EQ(prompts.dateTimeSettingsOpened, 0) << l.name;
        label->setEnabled(true);
        Click(l.name);
        EXPECT_EQ(prompts.dateTimeSettingsOpened, 1) << l.name;
        prompts.dateTimeSettingsOpened = 0;
    }
}

TEST_F(WindowFrame, LinkTypeButtonsSitHiddenAtTheSamePlace) {
    const struct {
        const char* name;
        const char* hint;
    } buttons[] = {{"SpeedButton8", "Połączenie kablowe"},
                   {"SpeedButton9", "Połączenie bezprzewodowe"}};
    for (const auto& b : buttons) {
        auto* button = Find<QToolButton>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->pos(), QPoint(3, 82)) << b.name;
        EXPECT_TRUE(button->isHidden()) << b.name;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint)) << b.name;
        EXPECT_FALSE(button->icon().isNull()) << b.name;
    }
    EXPECT_EQ(window.WirelessLink(), 0);
}

TEST_F(WindowFrame, EachLinkTypeButtonSelectsTheOtherType) {
    window.SetWirelessLink(0);
    EXPECT_TRUE(Shown("SpeedButton8"));
    EXPECT_FALSE(Shown("SpeedButton9"));

    Find<QToolButton>("SpeedButton8")->click();
    EXPECT_EQ(window.WirelessLink(), 1);
    EXPECT_FALSE(Shown("SpeedButton8"));
    EXPECT_TRUE(Shown("SpeedButton9"));

    Find<QToolButton>("SpeedButton9")->click();
    EXPECT_EQ(window.WirelessLink(), 0);
    EXPECT_TRUE(Shown("SpeedButton8"));
    EXPECT_FALSE(Shown("SpeedButton9"));

    window.SetWirelessLink(1);
    EXPECT_EQ(window.WirelessLink(), 1);
    EXPECT_FALSE(Shown("SpeedButton8"));
    EXPECT_TRUE(Shown("SpeedButton9"));
}

TEST_F(WindowFrame, PaleFlagsSwitchTheLanguageBothWays) {
    Click("Image15");
    EXPECT_FALSE(window.IsPolish());
    EXPECT_TRUE(Shown("Image12"));
    EXPECT_FALSE(Shown("Image13"));
    EXPECT_TRUE(Shown("Image14"));
    EXPECT_FALSE(Shown("Image15"));
    EXPECT_EQ(Text("Label1"), "EN");
    EXPECT_EQ(Find("Label1")->pos(), QPoint(38, 23));
    EXPECT_EQ(Find("Label5")->toolTip(), "now its ...");
    ExpectLanguageOnWindow(Language::English, false);

    Click("Image12");
    EXPECT_TRUE(window.IsPolish());
    EXPECT_FALSE(Shown("Image12"));
    EXPECT_TRUE(Shown("Image13"));
    EXPECT_FALSE(Shown("Image14"));
    EXPECT_TRUE(Shown("Image15"));
    EXPECT_EQ(Text("Label1"), "PL");
    EXPECT_EQ(Find("Label1")->pos(), QPoint(39, 23));
    ExpectLanguageOnWindow(Language::Polish, false);
}

TEST_F(WindowFrame, BrightFlagOfTheCurrentLanguageDoesNothing) {
    // Design texts that the Polish column would overwrite show whether anything was applied.
    Find("SpeedButton8")->setToolTip(QStringLiteral("untouched"));
    Click("Image13");
    EXPECT_TRUE(window.IsPolish());
    EXPECT_TRUE(Shown("Image13"));
    EXPECT_TRUE(Shown("Image15"));
    EXPECT_EQ(Find("SpeedButton8")->toolTip(), "untouched");

    window.Image15Click();
    Find("SpeedButton8")->setToolTip(QStringLiteral("untouched"));
    Click("Image14");
    EXPECT_FALSE(window.IsPolish());
    EXPECT_TRUE(Shown("Image14"));
    EXPECT_TRUE(Shown("Image12"));
    EXPECT_EQ(Find("SpeedButton8")->toolTip(), "untouched");
}

TEST_F(WindowFrame, ClockShowsOneMomentAndTheDayChangesAtMidnight) {
    clock.Set(QDateTime(QDate(2016, 10, 1), QTime(23, 59, 59)));  // a Saturday
    window.ShowClock(clock.Now());
    EXPECT_EQ(Text("Label5"), "23:59:59");
    EXPECT_EQ(Text("Label4"), "2016-10-01");
    EXPECT_EQ(Text("Label3"), "Sobota");

    clock.AdvanceSeconds(1);
    window.ShowClock(clock.Now());
    EXPECT_EQ(Text("Label5"), "00:00:00");
    EXPECT_EQ(Text("Label4"), "2016-10-02");
    EXPECT_EQ(Text("Label3"), "Niedziela");
}

TEST_F(WindowFrame, DayNameFollowsTheLanguageFromTheNextTick) {
    clock.Set(QDateTime(QDate(2016, 10, 5), QTime(12, 0, 0)));  // a Wednesday
    window.ShowClock(clock.Now());
    EXPECT_EQ(Text("Label3"), QString::fromUtf8("Środa"));
    window.Image15Click();
    EXPECT_EQ(Text("Label3"), QString::fromUtf8("Środa"));
    window.ShowClock(clock.Now());
    EXPECT_EQ(Text("Label3"), "Wednesday");
    window.Image12Click();
    window.ShowClock(clock.Now());
    EXPECT_EQ(Text("Label3"), QString::fromUtf8("Środa"));
}

}  // namespace
}  // namespace qeb::ui
