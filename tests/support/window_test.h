#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QString>
#include <QWidget>

#include "support/recording_prompts.h"
#include "support/recording_sleeper.h"
#include "support/temp_folder.h"
#include "support/test_clock.h"
#include "ui/qeb_main_form.h"
#include "ui/rx_switch.h"

namespace qeb::test {

// A left click as the mouse delivers it: press and release at the widget's centre.
inline void LeftClick(QWidget* widget) {
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

// The six settings editors, as a user would leave them.
inline void SetSettingsEditors(QWidget& window, double phMin, double phMax, double alarm, int kh,
                               int brightness, int contrast) {
    const auto spin = [&](const char* name) { return window.findChild<QSpinBox*>(name); };
    const auto decimal = [&](const char* name) { return window.findChild<QDoubleSpinBox*>(name); };
    decimal("RxSpinEdit7")->setValue(phMin);
    decimal("RxSpinEdit8")->setValue(phMax);
    decimal("RxSpinEdit11")->setValue(alarm);
    spin("RxSpinEdit12")->setValue(kh);
    spin("RxSpinEdit9")->setValue(brightness);
    spin("RxSpinEdit10")->setValue(contrast);
}

// The real window in a fresh working folder (so nothing it writes lands elsewhere), with a
// clock that stands still, waits that return at once and prompts that record. Controls are
// reached by their object names. A test that needs to watch the waits or act while a box is
// open hands in its own sleeper or prompts.
template <typename Sleeper = RecordingSleeper, typename Prompts = RecordingPrompts>
class WindowTest : public testing::Test {
protected:
    // A control the window must have; a missing one fails the test.
    template <typename T = QWidget>
    T* Find(const char* name) {
        T* control = window.template findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    bool Shown(const char* name) {
        QWidget* control = Find(name);
        return control != nullptr && !control->isHidden();
    }
    QString Text(const char* name) {
        auto* label = Find<QLabel>(name);
        return label == nullptr ? QStringLiteral("<missing>") : label->text();
    }
    void Click(const char* name) {
        QWidget* control = Find(name);
        ASSERT_NE(control, nullptr);
        LeftClick(control);
    }
    // The connect switch changes state as the button goes down, as it does under the mouse.
    void PressSwitch() {
        auto* rxSwitch = Find<ui::RxSwitch>("RxSwitch1");
        ASSERT_NE(rxSwitch, nullptr);
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, rxSwitch->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(rxSwitch, &press);
    }

    TempWorkingFolder folder;
    TestClock clock;
    Sleeper sleeper;
    Prompts prompts;
    ui::QebMainForm window{{clock, sleeper, prompts}};
};

}  // namespace qeb::test
