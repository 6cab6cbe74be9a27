#pragma once

#include <QPixmap>
#include <QSvgRenderer>
#include <QWidget>

namespace qeb::ui {

// A picture control drawn from SVG artwork at the size it is given; reports a left click.
// The artwork is rendered once per size and kept: the front panel lies under the clock labels,
// and drawing its text outlines again for every repaint of the time was most of what the idle
// window cost.
class SvgPicture : public QWidget {
    Q_OBJECT
public:
    SvgPicture(const QString& objectName, const QString& resource, QWidget* parent);

    void SetResource(const QString& resource);
    QString Resource() const { return m_resource; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QPixmap& Rendered();

    QSvgRenderer m_renderer;
    QString m_resource;
    QPixmap m_rendered;
};

}  // namespace qeb::ui
