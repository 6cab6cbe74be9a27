#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

namespace qeb::ui {

// "Arial" is the face the layout was measured with; fontconfig maps it to Liberation Sans.
inline constexpr const char* kSansFamily = "Arial";

QFont PixelFont(int pixelSize, bool bold);

// Names, places and colours a label by its top-left corner and sizes it to its text, as the
// layout expects; for label kinds of our own that MakeLabel cannot construct.
void ConfigureLabel(QLabel* label, const QString& objectName, const QString& text, int left,
                    int top, const QFont& font, const QColor& color);

// A label placed by its top-left corner that sizes itself to its text, as the layout expects.
QLabel* MakeLabel(const QString& objectName, const QString& text, QWidget* parent, int left,
                  int top, const QFont& font, const QColor& color);

void SetLabelText(QLabel* label, const QString& text);

}  // namespace qeb::ui
