#include "gui/ViewPicture.h"

#include <QImageWriter>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

namespace kestrion {

std::string SaveViewPicture(QWidget& view, const std::string& path)
{
    const QImage picture = view.grab().toImage();
    if (picture.isNull()) {
        return "Cannot write the picture " + path + ": the view has no area";
    }
    QSaveFile file(QString::fromStdString(path));
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else if (QImageWriter writer(&file, "png"); !writer.write(picture)) {
        reason = writer.errorString();
        file.cancelWriting();
    } else if (!file.commit()) {
        reason = file.errorString();
    }
    return reason.isEmpty() ? std::string() : "Cannot write the picture " + path + ": " + reason.toStdString();
}

}  // namespace kestrion
