#include "views/PaintSurface.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainterPath>

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
    // general one; the smaller of the two is the small font.
    QFont font = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
    const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (QFontInfo(general).pixelSize() < QFontInfo(font).pixelSize()) {
        font = general;
    }
    font.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
    return font;
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
    QPainterPath path;
    path.addText(baseline, painter.font(), text);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal width = std::max(2.0, QFontInfo(painter.font()).pixelSize() / 5.0);
    painter.strokePath(path, QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, fill);
    painter.restore();
}

}  // namespace kestrion
