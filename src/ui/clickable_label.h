#pragma once

#include <QLabel>

namespace qeb::ui {

// A label that acts on a left click, shown by the hand cursor. A disabled one ignores clicks.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent);

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace qeb::ui
