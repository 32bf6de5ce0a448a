#include "gui/AboutBox.h"

#include "gui/ToolbarImages.h"
#include "platform/Version.h"

namespace kestrion {

std::unique_ptr<QMessageBox> MakeAboutBox(QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle("About Kestrion Demo");
    box->setIconPixmap(ProgramIcon().pixmap(48, 48));
    box->setText(kProgramTitle);
    box->setInformativeText("Evaluation console for Kestrion GPS receivers");
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}

}  // namespace kestrion
