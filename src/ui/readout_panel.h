#pragma once

#include <QFrame>
#include <QLabel>

#include "monitor/readout.h"

namespace qeb::ui {

class SvgPicture;

// GroupBox1: the light panel over the controller's LCD window that repeats what the device reports.
class ReadoutPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLeft = 50;
    static constexpr int kTop = 205;
    static constexpr int kWidth = 249;
    static constexpr int kHeight = 140;

    explicit ReadoutPanel(QWidget* parent);

    void Render(const monitor::Readout& readout);

private:
    QLabel* m_label7;
    QLabel* m_label8;
    QLabel* m_label9;
    QLabel* m_label17;
    QLabel* m_label23;
    QLabel* m_label10;
    QLabel* m_label11;
    QLabel* m_label12;
    SvgPicture* m_image2;
    SvgPicture* m_image1;
    SvgPicture* m_image4;
    SvgPicture* m_image8;
};

}  // namespace qeb::ui
