#pragma once
// "About Kestrion Demo": the program icon, its name and version, one line about it, and OK.
#include <memory>

#include <QMessageBox>

namespace kestrion {

std::unique_ptr<QMessageBox> MakeAboutBox(QWidget* parent);

}  // namespace kestrion
