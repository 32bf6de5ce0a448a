#pragma once
// File dialogs as the engine asks for them: the title, the filters, the default name, an
// existing file to load or a name to save under, with the question before overwriting.
#include <QString>

#include "platform/UserInterface.h"

class QFileDialog;

namespace kestrion {

void SetUpFileDialog(QFileDialog& dialog, const FileChooser& chooser);

// Why the chosen path will not do, for the user; empty when it will. Loading wants an
// existing file; saving wants an existing folder and a file that is not read-only.
QString FileProblem(FileChooser::Mode mode, const QString& path);

}  // namespace kestrion
