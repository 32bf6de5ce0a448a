#include "views/PaintSurface.h"

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

}  // namespace kestrion
