#include "ui/svg_picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace qeb::ui {

SvgPicture::SvgPicture(const QString& objectName, const QString& resource, QWidget* parent)
    : QWidget(parent) {
    setObjectName(objectName);
    SetResource(resource);
}

void SvgPicture::SetResource(const QString& resource) {
    m_resource = resource;
    m_renderer.load(resource);
    update();
}

void SvgPicture::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    m_renderer.render(&painter, QRectF(rect()));
}

void SvgPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Clicked();
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace qeb::ui
