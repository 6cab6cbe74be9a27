#include "ui/clickable_label.h"

#include <QMouseEvent>

namespace qeb::ui {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace qeb::ui
