#pragma once

#include <QComboBox>

namespace qeb::ui {

// The editable port drop-down. Reports when it becomes the control the user works in; getting
// the focus back from its own list or from a closed message box is not entering it.
class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    PortComboBox(const QString& objectName, QWidget* parent);

signals:
    void Entered();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace qeb::ui
