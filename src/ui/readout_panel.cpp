#include "ui/readout_panel.h"

#include <QPalette>

#include "ui/fonts.h"
#include "ui/svg_picture.h"

namespace qeb::ui {
namespace {

const QColor kPanelColor(0xF0, 0xF0, 0xFF);
const QColor kFigureColor(0x10, 0x10, 0x30);
const QColor kCaptionGrey(0x80, 0x80, 0x80);
const QColor kO2Teal(0x00, 0x80, 0x80);

void Apply(QLabel* label, const monitor::ReadoutLabel& state) {
    SetLabelText(label, QString::fromStdString(state.text));
    label->setVisible(state.visible);
}

}  // namespace

ReadoutPanel::ReadoutPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("GroupBox1"));
    setGeometry(kLeft, kTop, kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kPanelColor);
    setPalette(palette);

    const QFont big = PixelFont(64, true);
    const QFont figure = PixelFont(19, true);
    const QFont small = PixelFont(11, true);

    // The pictures lie under the figures; the cable icon is drawn above the wireless one.
    m_image2 =
        new SvgPicture(QStringLiteral("Image2"), QStringLiteral(":/o2_bubbles_up.svg"), this);
    m_image2->setGeometry(1, 8, 65, 81);
    m_image1 =
        new SvgPicture(QStringLiteral("Image1"), QStringLiteral(":/co2_bubbles_down.svg"), this);
    m_image1->setGeometry(185, 8, 65, 81);
    m_image4 = new SvgPicture(QStringLiteral("Image4"), QStringLiteral(":/radio_waves.svg"), this);
    m_image4->setGeometry(52, 93, 30, 17);
    m_image8 = new SvgPicture(QStringLiteral("Image8"), QStringLiteral(":/usb_plug.svg"), this);
    m_image8->setGeometry(52, 93, 30, 17);

    MakeLabel(QStringLiteral("CaptionMin"), QStringLiteral("min"), this, 8, 90, figure,
              kFigureColor);
    MakeLabel(QStringLiteral("CaptionMax"), QStringLiteral("max"), this, 200, 90, figure,
              kFigureColor);
    MakeLabel(QStringLiteral("CaptionPpm"), QStringLiteral("PPM:"), this, 72, 70, figure,
              kFigureColor);
    MakeLabel(QStringLiteral("CaptionKh"), QStringLiteral("KH:"), this, 87, 90, figure,
              kFigureColor);
    MakeLabel(QStringLiteral("CaptionAlarmOpen"), QStringLiteral("("), this, 58, 108, figure,
              kFigureColor);
    MakeLabel(QStringLiteral("CaptionAlarmClose"), QStringLiteral(")"), this, 184, 108, figure,
              kFigureColor);
    QLabel* o2 =
        MakeLabel(QStringLiteral("CaptionO2"), QStringLiteral("O"), this, 17, 65, figure, kO2Teal);
    MakeLabel(QStringLiteral("CaptionO2Index"), QStringLiteral("2"), this, 17 + o2->width(), 73,
              small, kO2Teal);
    QLabel* co2 = MakeLabel(QStringLiteral("CaptionCo2"), QStringLiteral("CO"), this, 198, 65,
                            figure, kCaptionGrey);
    MakeLabel(QStringLiteral("CaptionCo2Index"), QStringLiteral("2"), this, 198 + co2->width(), 73,
              small, kCaptionGrey);

    m_label7 =
        MakeLabel(QStringLiteral("Label7"), QStringLiteral("-,--"), this, 60, 6, big, kFigureColor);
    m_label8 = MakeLabel(QStringLiteral("Label8"), QStringLiteral("-,--"), this, 8, 110, figure,
                         kFigureColor);
    m_label9 = MakeLabel(QStringLiteral("Label9"), QStringLiteral("-,--"), this, 201, 110, figure,
                         kFigureColor);
    m_label17 = MakeLabel(QStringLiteral("Label17"), QStringLiteral("-,--"), this, 64, 110, figure,
                          kFigureColor);
    m_label23 = MakeLabel(QStringLiteral("Label23"), QStringLiteral("-,--"), this, 145, 110, figure,
                          kFigureColor);
    m_label10 = MakeLabel(QStringLiteral("Label10"), QStringLiteral("ALARM"), this, 106, 116, small,
                          kCaptionGrey);
    m_label11 = MakeLabel(QStringLiteral("Label11"), QStringLiteral("-,--"), this, 136, 70, figure,
                          kFigureColor);
    m_label12 = MakeLabel(QStringLiteral("Label12"), QStringLiteral("--"), this, 136, 90, figure,
                          kFigureColor);

    Render(monitor::Readout{});
}

void ReadoutPanel::Render(const monitor::Readout& readout) {
    Apply(m_label7, readout.Label7);
    Apply(m_label8, readout.Label8);
    Apply(m_label9, readout.Label9);
    Apply(m_label17, readout.Label17);
    Apply(m_label23, readout.Label23);
    Apply(m_label10, readout.Label10);
    Apply(m_label11, readout.Label11);
    Apply(m_label12, readout.Label12);
    m_image2->setVisible(readout.Image2Visible);
    m_image1->setVisible(readout.Image1Visible);
    m_image4->setVisible(readout.Image4Visible);
    m_image8->setVisible(readout.Image8Visible);
}

}  // namespace qeb::ui
