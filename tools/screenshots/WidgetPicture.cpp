#include "WidgetPicture.h"

#include <cstdio>

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace kestrion {

bool SaveWidgetPicture(QWidget& widget, const std::filesystem::path& file)
{
    constexpr qreal kPixelRatio = 2.0;
    QPixmap picture(widget.size() * kPixelRatio);
    picture.setDevicePixelRatio(kPixelRatio);
    widget.render(&picture);
    if (!picture.save(QString::fromStdString(file.string()), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return false;
    }
    // Read back: the file holds the picture at its full density.
    if (QImage(QString::fromStdString(file.string())).width() != picture.width()) {
        std::fprintf(stderr, "%s does not read back at %d pixels wide\n", file.c_str(), picture.width());
        return false;
    }
    std::printf("%s\n", file.c_str());
    return true;
}

}  // namespace kestrion
