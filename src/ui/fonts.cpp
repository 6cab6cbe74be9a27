#include "ui/fonts.h"

#include <QPalette>

namespace qeb::ui {

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
    palette.setColor(QPalette::WindowText, color);
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
