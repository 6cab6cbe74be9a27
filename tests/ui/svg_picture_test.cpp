#include "ui/svg_picture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdlib>

namespace qeb::ui {
namespace {

// The artwork as drawn straight onto the picture's background at `size`.
QImage Expected(const QString& resource, QSize size, const QColor& background) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    QSvgRenderer(resource).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The largest difference of one colour channel; antialiased edges round a little differently
// when the artwork is drawn once and then copied.
int LargestDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    if (left.size() != right.size()) {
        return 256;
    }
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

constexpr int kRoundingTolerance = 3;

TEST(SvgPicture, ShowsItsArtworkAtEverySizeAndAfterAChangeOfArtwork) {
    const QString flag = QStringLiteral(":/flag_pl_bright.svg");
    const QString other = QStringLiteral(":/flag_en_bright.svg");
    SvgPicture picture(QStringLiteral("Image13"), flag, nullptr);
    const QColor background = picture.palette().color(QPalette::Window);
    ASSERT_GT(LargestDifference(Expected(flag, {40, 24}, background),
                                Expected(other, {40, 24}, background)),
              64)
        << "the two flags must tell a stale picture apart";

    struct Step {
        QString resource;
        QSize size;
    };
    const Step steps[] = {
        {flag, {40, 24}},
        {flag, {80, 48}},   // resized: drawn again, not the small picture scaled up
        {other, {80, 48}},  // new artwork at the same size
        {flag, {80, 48}},
    };
    for (const Step& step : steps) {
        picture.SetResource(step.resource);
        picture.resize(step.size);
        const QImage shown = picture.grab().toImage();
        // Twice: the second grab is drawn from what the first one kept.
        for (const QImage& image : {shown, picture.grab().toImage()}) {
            EXPECT_LE(LargestDifference(image, Expected(step.resource, step.size, background)),
                      kRoundingTolerance)
                << step.resource.toStdString() << " at " << step.size.width() << "x"
                << step.size.height();
        }
    }
}

}  // namespace
}  // namespace qeb::ui
