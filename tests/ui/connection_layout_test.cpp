#include <gtest/gtest.h>

#include <QWidget>

#include "support/pty_pair.h"
#include "support/window_test.h"
#include "ui/qeb_main_form.h"
#include "ui/rx_switch.h"

namespace qeb::ui {
namespace {

class ConnectionLayout : public test::WindowTest<> {
protected:
    void Switch(bool on) {
        auto* rxSwitch = window.findChild<RxSwitch*>(QStringLiteral("RxSwitch1"));
        ASSERT_NE(rxSwitch, nullptr);
        rxSwitch->SetOn(on);
        window.RxSwitch1Click();
    }
};

struct StateRow {
    const char* control;
    bool visible;  // checked when `checkVisible`
    bool enabled;  // checked when `checkEnabled`
    bool checkVisible;
    bool checkEnabled;
};

void ExpectState(QebMainForm& window, const std::vector<StateRow>& rows, const char* state) {
    for (const StateRow& row : rows) {
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(row.control));
        ASSERT_NE(control, nullptr) << row.control;
        if (row.checkVisible) {
            EXPECT_EQ(!control->isHidden(), row.visible) << state << ": " << row.control;
        }
        if (row.checkEnabled) {
            EXPECT_EQ(control->isEnabled(), row.enabled) << state << ": " << row.control;
        }
    }
}

// Control -> shown / enabled, connected and disconnected (cable link).
const std::vector<StateRow> kConnected = {
    {"SpeedButton8", false, true, true, false},  {"SpeedButton9", false, true, true, false},
    {"ComboBox1", true, false, false, true},     {"SpeedButton5", false, true, true, false},
    {"SpeedButton7", true, true, true, false},   {"GroupBox14", true, true, false, true},
    {"SpeedButton10", false, true, true, false}, {"SpeedButton11", false, true, true, false},
    {"SpeedButton12", false, true, true, false}, {"SpeedButton13", false, true, true, false},
    {"SpeedButton14", false, true, true, false}, {"SpeedButton3", true, true, true, false},
    {"SpeedButton4", true, true, true, false},   {"Panel2", false, true, true, false},
    {"RxSpinEdit7", true, true, false, true},    {"RxSpinEdit8", true, true, false, true},
    {"RxSpinEdit9", true, true, false, true},    {"RxSpinEdit10", true, true, false, true},
    {"RxSpinEdit11", true, true, false, true},   {"RxSpinEdit12", true, true, false, true},
    {"Label3", true, true, false, true},         {"Label4", true, true, false, true},
    {"Label5", true, true, false, true},         {"Label8", true, true, false, true},
    {"Image5", false, true, true, false},        {"Image6", true, true, true, false},
    {"CheckBox1", true, true, false, true},      {"Label13", true, true, false, true},
    {"Label14", true, true, false, true},        {"Label19", true, true, false, true},
    {"Image8", true, true, true, false},
};

const std::vector<StateRow> kDisconnected = {
    {"SpeedButton8", true, true, true, false},  {"SpeedButton9", false, true, true, false},
    {"ComboBox1", true, true, false, true},     {"SpeedButton5", true, true, true, false},
    {"SpeedButton7", false, true, true, false}, {"GroupBox14", true, false, false, true},
    {"SpeedButton10", true, true, true, false}, {"SpeedButton11", true, true, true, false},
    {"SpeedButton12", true, true, true, false}, {"SpeedButton13", true, true, true, false},
    {"SpeedButton14", true, true, true, false}, {"Panel2", true, true, true, false},
    {"RxSpinEdit7", true, false, false, true},  {"RxSpinEdit12", true, false, false, true},
    {"RxSpinEdit9", true, false, false, true},  {"Label3", true, false, false, true},
    {"Label4", true, false, false, true},       {"Label5", true, false, false, true},
    {"Label8", false, false, true, true},       {"Label7", false, true, true, false},
    {"Image4", false, true, true, false},       {"Image5", true, true, true, false},
    {"Image6", false, true, true, false},       {"CheckBox1", true, false, false, true},
    {"Label13", true, false, false, true},      {"Label19", true, false, false, true},
};

TEST_F(ConnectionLayout, SwitchingOnAndOffMovesBetweenTheTwoFaces) {
    test::PtyPair device;
    window.ComPort().SetPortName(device.TtyPath());
    window.SetWirelessLink(0);

    Switch(true);
    ASSERT_TRUE(window.ComPort().IsOpen());
    ExpectState(window, kConnected, "connected");
    EXPECT_EQ(Find("RxSwitch1")->toolTip(), QStringLiteral("Rozłącz ..."));

    Switch(false);
    EXPECT_FALSE(window.ComPort().IsOpen());
    ExpectState(window, kDisconnected, "disconnected");
    EXPECT_EQ(Find("RxSwitch1")->toolTip(), QStringLiteral("Połącz ..."));

    // Connecting again gives the lower bound its normal look back.
    Switch(true);
    EXPECT_TRUE(Find("Label8")->isEnabled());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(ConnectionLayout, TheWirelessLinkShowsItsOwnIconAndButton) {
    test::PtyPair device;
    window.ComPort().SetPortName(device.TtyPath());
    window.SetWirelessLink(1);

    Switch(true);
    EXPECT_TRUE(Find("Image8")->isHidden());
    Switch(false);
    EXPECT_TRUE(Find("SpeedButton8")->isHidden());
    EXPECT_FALSE(Find("SpeedButton9")->isHidden());
}

TEST_F(ConnectionLayout, AFailedConnectKeepsTheDisconnectedFace) {
    window.ComPort().SetPortName(QStringLiteral("/dev/qeb01-no-such-device"));
    Switch(true);
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(prompts.errors.constFirst(), QStringLiteral("Unable to open com port (Error: 2)"));
    EXPECT_FALSE(Find("Panel2")->isHidden());
    EXPECT_FALSE(Find("GroupBox14")->isEnabled());
}

}  // namespace
}  // namespace qeb::ui
