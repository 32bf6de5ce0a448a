#include "dialogs/widgets/FileChoosing.h"

#include <QFileDialog>
#include <QFileInfo>

#include "dialogs/widgets/FileFilter.h"
#include "dialogs/widgets/QtText.h"

namespace kestrion {

void SetUpFileDialog(QFileDialog& dialog, const FileChooser& chooser)
{
    const bool load = chooser.mode == FileChooser::Mode::Load;
    dialog.setWindowTitle(ToQt(chooser.title));
    dialog.setAcceptMode(load ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(load ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const QString filter = QtFileFilter(chooser.filter);
    if (!filter.isEmpty()) {
        dialog.setNameFilter(filter);
    }
    if (!chooser.defaultName.empty()) {
        dialog.selectFile(ToQt(chooser.defaultName));
    }
}

QString FileProblem(FileChooser::Mode mode, const QString& path)
{
    const QFileInfo file(path);
    if (mode == FileChooser::Mode::Load) {
        return file.isFile() ? QString() : path + "\nFile not found.\nCheck the file name and try again.";
    }
    if (!file.absoluteDir().exists()) {
        return path + "\nPath does not exist.\nCheck the path and try again.";
    }
    constexpr QFile::Permissions kWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (file.exists() && (!(file.permissions() & kWrite) || !file.isWritable())) {
        return path + "\nThis file is set to read-only.\nTry again with a different file name.";
    }
    return {};
}

}  // namespace kestrion
