#include "views/PaintSurface.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

namespace kestrion {

QImage MakeSurface(QSize size, qreal ratio, const QColor& fill)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

void SetUpPainter(QPainter& painter)
{
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    painter.setRenderHint(QPainter::Antialiasing, ratio > 1.0);
}

QFont SmallViewFont()
{
    // Desktops without a theme of their own give a "smallest readable" font larger than their
    // general one; the smaller of the two is the small font. Looked up once: views paint often.
    static const QFont small = [] {
        QFont font = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
        const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        if (QFontInfo(general).pixelSize() < QFontInfo(font).pixelSize()) {
            font = general;
        }
        font.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
        return font;
    }();
    return small;
}

int SmallFontPixels()
{
    return SmallViewFont().pixelSize();
}

QPointF CentredBaseline(const QFont& font, QPointF centre, const QString& text)
{
    const QFontMetricsF metrics(font);
    return {centre.x() - metrics.horizontalAdvance(text) / 2, centre.y() + (metrics.ascent() - metrics.descent()) / 2};
}

void DrawOutlinedText(QPainter& painter, QPointF baseline, const QString& text, const QColor& fill,
                      const QColor& outline)
{
    // The text in the outline's colour a pixel (more for large text) around, then over it.
    const qreal reach = std::max(1.0, QFontInfo(painter.font()).pixelSize() / 12.0);
    const QPen pen = painter.pen();
    painter.setPen(outline);
    for (const QPointF step : {QPointF(-1, -1), QPointF(0, -1), QPointF(1, -1), QPointF(-1, 0), QPointF(1, 0),
                               QPointF(-1, 1), QPointF(0, 1), QPointF(1, 1)}) {
        painter.drawText(baseline + step * reach, text);
    }
    painter.setPen(fill);
    painter.drawText(baseline, text);
    painter.setPen(pen);
}

}  // namespace kestrion
