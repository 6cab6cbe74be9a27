#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace qeb::ui {

// A two-state switch drawn with an on and an off picture. It changes state as soon as the left
// mouse button goes down on it (or on Space), and only then reports the click, so the handler
// reads the new state.
class RxSwitch : public QWidget {
    Q_OBJECT
public:
    RxSwitch(const QString& objectName, const QString& onResource, const QString& offResource,
             QWidget* parent);

    bool IsOn() const { return m_on; }
    // Set by the program: no click is reported.
    void SetOn(bool on);

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Toggle();

    QSvgRenderer m_onPicture;
    QSvgRenderer m_offPicture;
    bool m_on = false;
};

}  // namespace qeb::ui
