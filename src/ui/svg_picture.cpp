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
    m_rendered = QPixmap();
    update();
}

const QPixmap& SvgPicture::Rendered() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_rendered.size() != pixels || m_rendered.devicePixelRatio() != ratio) {
        m_rendered = QPixmap(pixels);
        m_rendered.setDevicePixelRatio(ratio);
        m_rendered.fill(Qt::transparent);
        QPainter painter(&m_rendered);
        m_renderer.render(&painter, QRectF(rect()));
    }
    return m_rendered;
}

void SvgPicture::paintEvent(QPaintEvent* /*event*/) {
    if (size().isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, Rendered());
}

void SvgPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Clicked();
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace qeb::ui
