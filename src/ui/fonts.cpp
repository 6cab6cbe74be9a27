#include "ui/fonts.h"

#include <QPalette>

namespace qeb::ui {
namespace {

// A disabled label is drawn in this grey whatever its colour, so the disabled style shows.
const QColor kDisabledTextGrey(0x80, 0x80, 0x80);

}  // namespace

QFont PixelFont(int pixelSize, bool bold) {
    QFont font(QString::fromLatin1(kSansFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void ConfigureLabel(QLabel* label, const QString& objectName, const QString& text, int left,
                    int top, const QFont& font, const QColor& color) {
    label->setText(text);
    label->setObjectName(objectName);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, color);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledTextGrey);
    label->setPalette(palette);
    label->move(left, top);
    label->adjustSize();
}

QLabel* MakeLabel(const QString& objectName, const QString& text, QWidget* parent, int left,
                  int top, const QFont& font, const QColor& color) {
    auto* label = new QLabel(parent);
    ConfigureLabel(label, objectName, text, left, top, font, color);
    return label;
}

void SetLabelText(QLabel* label, const QString& text) {
    if (label->text() == text) {
        return;
    }
    label->setText(text);
    label->adjustSize();
}

}  // namespace qeb::ui
