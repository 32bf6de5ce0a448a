#include "dialogs/widgets/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>

#include "dialogs/widgets/CursorPause.h"
#include "dialogs/widgets/FileChoosing.h"
#include "dialogs/widgets/FormDialog.h"
#include "dialogs/widgets/MessageBoxes.h"
#include "dialogs/widgets/QtText.h"

namespace kestrion {

QWidget* CQtUserInterface::Owner()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    // The window system activates a new window later: the data source setup at start-up, and
    // every box while another program is active, still open over the console's window.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QMainWindow*>(window) != nullptr) {
            return window;
        }
    }
    return nullptr;
}

BoxAnswer CQtUserInterface::MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon)
{
    const CCursorPause pause;
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(text, buttons, icon, Owner());
    return AnswerOf(static_cast<QMessageBox::StandardButton>(box->exec()), buttons);
}

int CQtUserInterface::Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons)
{
    const CCursorPause pause;
    const std::unique_ptr<QMessageBox> box = MakeQuestionBox(title, text, buttons, Owner());
    box->exec();
    return ChosenButton(*box);
}

std::string CQtUserInterface::ChooseFile(const FileChooser& chooser)
{
    const CCursorPause pause;
    // A path that will not do is explained, then the user chooses again.
    for (;;) {
        QFileDialog dialog(Owner());
        SetUpFileDialog(dialog, chooser);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        const QString path = dialog.selectedFiles().front();
        const QString problem = FileProblem(chooser.mode, path);
        if (problem.isEmpty()) {
            return FromQt(path);
        }
        MessageBox(FromQt(problem), BoxButtons::Ok, BoxIcon::Warning);
    }
}

bool CQtUserInterface::RunDialog(CDialogForm& dialog)
{
    const CCursorPause pause;
    CFormDialog window(dialog, Owner());
    return window.exec() == QDialog::Accepted;
}

}  // namespace kestrion
