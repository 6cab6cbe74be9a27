#include "ui/log_controls.h"

#include <QCheckBox>

#include "ui/svg_picture.h"

namespace qeb::ui {
namespace {

constexpr int kHoldAfterClickMs = 300;

}  // namespace

LogControls::LogControls(QWidget* window) : QObject(window) {
    m_checkBox1 = new QCheckBox(window);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_checkBox1->move(253, 183);
    m_checkBox1->adjustSize();
    m_checkBox1->setEnabled(false);
    m_checkBox1->setToolTip(QStringLiteral("Zapisz do pliku Excela w formacie CSV"));
    connect(m_checkBox1, &QCheckBox::clicked, this, &LogControls::LogBoxClicked);

    m_image5 = new SvgPicture(QStringLiteral("Image5"),
                              QStringLiteral(":/show_folder_inactive.svg"), window);
    m_image5->setGeometry(275, 173, 32, 32);
    m_image6 = new SvgPicture(QStringLiteral("Image6"), QStringLiteral(":/show_folder_active.svg"),
                              window);
    m_image6->setGeometry(275, 173, 32, 32);
    m_image6->setCursor(Qt::PointingHandCursor);
    m_image6->setToolTip(QStringLiteral("Pokaż folder z plikiem Excela"));
    m_image6->hide();
    connect(m_image6, &SvgPicture::Clicked, this, &LogControls::ShowFolderClicked);
}

bool LogControls::LogTicked() const {
    return m_checkBox1->isChecked();
}

void LogControls::HoldAfterClick(core::Sleeper& sleeper) {
    m_checkBox1->setEnabled(false);
    m_checkBox1->repaint();
    sleeper.SleepMs(kHoldAfterClickMs);
    m_checkBox1->setEnabled(true);
    m_checkBox1->repaint();
    sleeper.SleepMs(kHoldAfterClickMs);
}

}  // namespace qeb::ui
