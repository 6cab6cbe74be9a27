#include "ui/connection_layout.h"

#include <array>

namespace qeb::ui {
namespace {

enum class Property { Visible, Enabled };

struct LayoutRow {
    const char* objectName;
    Property property;
    bool whenConnected;
};

// Disconnected is the opposite of every row. The link-type buttons and the readout are handled
// apart: they depend on the link type and on the frames.
constexpr std::array kLayout = {
    LayoutRow{"ComboBox1", Property::Enabled, false},
    LayoutRow{"SpeedButton5", Property::Visible, false},
    LayoutRow{"SpeedButton7", Property::Visible, true},
    LayoutRow{"GroupBox14", Property::Enabled, true},
    LayoutRow{"SpeedButton10", Property::Visible, false},
    LayoutRow{"SpeedButton11", Property::Visible, false},
    LayoutRow{"SpeedButton12", Property::Visible, false},
    LayoutRow{"SpeedButton13", Property::Visible, false},
    LayoutRow{"SpeedButton14", Property::Visible, false},
    LayoutRow{"Panel2", Property::Visible, false},
    LayoutRow{"RxSpinEdit7", Property::Enabled, true},
    LayoutRow{"RxSpinEdit8", Property::Enabled, true},
    LayoutRow{"RxSpinEdit9", Property::Enabled, true},
    LayoutRow{"RxSpinEdit10", Property::Enabled, true},
    LayoutRow{"RxSpinEdit11", Property::Enabled, true},
    LayoutRow{"RxSpinEdit12", Property::Enabled, true},
    LayoutRow{"Label3", Property::Enabled, true},
    LayoutRow{"Label4", Property::Enabled, true},
    LayoutRow{"Label5", Property::Enabled, true},
    // Disabled at disconnect like its neighbours, so it must come back at connect too.
    LayoutRow{"Label8", Property::Enabled, true},
    LayoutRow{"Image5", Property::Visible, false},
    LayoutRow{"Image6", Property::Visible, true},
    LayoutRow{"CheckBox1", Property::Enabled, true},
    LayoutRow{"Label13", Property::Enabled, true},
    LayoutRow{"Label14", Property::Enabled, true},
    LayoutRow{"Label19", Property::Enabled, true},
};

void Set(QWidget& window, const char* objectName, Property property, bool value) {
    auto* control = window.findChild<QWidget*>(QString::fromLatin1(objectName));
    if (control == nullptr) {
        return;
    }
    if (property == Property::Visible) {
        control->setVisible(value);
    } else {
        control->setEnabled(value);
    }
}

}  // namespace

void ApplyConnectionLayout(QWidget& window, bool connected, int wirelessLink) {
    // While connected the link type is shown by the readout's icon; the buttons come back after.
    Set(window, "SpeedButton8", Property::Visible, !connected && wirelessLink == 0);
    Set(window, "SpeedButton9", Property::Visible, !connected && wirelessLink == 1);
    for (const LayoutRow& row : kLayout) {
        Set(window, row.objectName, row.property,
            connected ? row.whenConnected : !row.whenConnected);
    }
}

}  // namespace qeb::ui
