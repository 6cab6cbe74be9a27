#pragma once

#include <QWidget>

namespace qeb::ui {

// The two faces of the window: disconnected (covers and grey twins over everything that needs
// the device) and connected. Reaches the controls by their object names.
void ApplyConnectionLayout(QWidget& window, bool connected, int wirelessLink);

}  // namespace qeb::ui
