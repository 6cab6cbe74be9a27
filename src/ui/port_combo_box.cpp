#include "ui/port_combo_box.h"

#include <QFocusEvent>

namespace qeb::ui {

PortComboBox::PortComboBox(const QString& objectName, QWidget* parent) : QComboBox(parent) {
    setObjectName(objectName);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void PortComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    // A message box shown on entering would otherwise give the focus back and enter again.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        emit Entered();
    }
}

}  // namespace qeb::ui
