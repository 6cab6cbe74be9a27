#include "ui/rx_switch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qeb::ui {

RxSwitch::RxSwitch(const QString& objectName, const QString& onResource, const QString& offResource,
                   QWidget* parent)
    : QWidget(parent), m_onPicture(onResource), m_offPicture(offResource) {
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void RxSwitch::SetOn(bool on) {
    if (m_on != on) {
        m_on = on;
        update();
    }
}

void RxSwitch::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    (m_on ? m_onPicture : m_offPicture).render(&painter, QRectF(rect()));
}

void RxSwitch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Toggle();
        return;
    }
    QWidget::mousePressEvent(event);
}

void RxSwitch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        Toggle();
        return;
    }
    QWidget::keyPressEvent(event);
}

void RxSwitch::Toggle() {
    SetOn(!m_on);
    emit Clicked();
}

}  // namespace qeb::ui
