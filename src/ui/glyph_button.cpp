#include "ui/glyph_button.h"

#include <QIcon>
#include <algorithm>

namespace qeb::ui {
namespace {

constexpr int kGlyphMarginPx = 2;

}  // namespace

QToolButton* MakeGlyphButton(const QString& objectName, const QString& glyph, const QString& hint,
                             const QRect& geometry, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setAutoRaise(true);
    button->setIcon(QIcon(glyph));
    button->setToolTip(hint);
    button->setGeometry(geometry);
    const int side = std::min(geometry.width(), geometry.height()) - 2 * kGlyphMarginPx;
    button->setIconSize(QSize(side, side));
    return button;
}

}  // namespace qeb::ui
