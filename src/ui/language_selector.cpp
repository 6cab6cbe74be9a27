#include "ui/language_selector.h"

#include <QLabel>

#include "ui/svg_picture.h"

namespace qeb::ui {
namespace {

constexpr int kFlagSidePx = 24;

SvgPicture* MakeFlag(const char* name, const char* resource, const char* hint, int left, int top,
                     QWidget* parent) {
    auto* flag = new SvgPicture(QString::fromLatin1(name), QString::fromLatin1(resource), parent);
    flag->setGeometry(left, top, kFlagSidePx, kFlagSidePx);
    flag->setToolTip(QString::fromUtf8(hint));
    return flag;
}

}  // namespace

LanguageSelector::LanguageSelector(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("GroupBox2"));
    setGeometry(2, 0, 88, 44);
    setToolTip(QStringLiteral("   Wybór języka \nChoose language"));

    m_image12 = MakeFlag("Image12", ":/flag_pl_pale.svg", "Język polski", 13, 13, this);
    m_image13 = MakeFlag("Image13", ":/flag_pl_bright.svg", "Język polski", 13, 13, this);
    m_image14 = MakeFlag("Image14", ":/flag_en_bright.svg", "English language", 53, 12, this);
    m_image15 = MakeFlag("Image15", ":/flag_en_pale.svg", "English language", 53, 12, this);
    m_image12->setCursor(Qt::PointingHandCursor);
    m_image15->setCursor(Qt::PointingHandCursor);
    ShowPolishFlags();

    auto* label1 = new QLabel(QStringLiteral("PL"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setToolTip(QStringLiteral("polski"));
    label1->move(39, 23);
    label1->adjustSize();

    connect(m_image12, &SvgPicture::Clicked, this, &LanguageSelector::PalePolishFlagClicked);
    connect(m_image15, &SvgPicture::Clicked, this, &LanguageSelector::PaleEnglishFlagClicked);
}

bool LanguageSelector::IsPolish() const {
    return !m_image13->isHidden();
}

void LanguageSelector::ShowPolishFlags() {
    m_image12->hide();
    m_image13->show();
    m_image14->hide();
    m_image15->show();
}

void LanguageSelector::ShowEnglishFlags() {
    m_image12->show();
    m_image13->hide();
    m_image14->show();
    m_image15->hide();
}

}  // namespace qeb::ui
