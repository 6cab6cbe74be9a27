#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace qeb::ui {

// A picture control drawn from SVG artwork at the size it is given; reports a left click.
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
    QSvgRenderer m_renderer;
    QString m_resource;
};

}  // namespace qeb::ui
