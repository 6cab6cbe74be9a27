#pragma once

#include <QRect>
#include <QString>
#include <QToolButton>

namespace qeb::ui {

// A flat button that shows one glyph of the artwork (":/glyph_save.svg") filling it but for a
// small margin, with its hint. A disabled one draws the glyph greyed, which is what the inactive
// twins over the live buttons rely on.
QToolButton* MakeGlyphButton(const QString& objectName, const QString& glyph, const QString& hint,
                             const QRect& geometry, QWidget* parent);

}  // namespace qeb::ui
