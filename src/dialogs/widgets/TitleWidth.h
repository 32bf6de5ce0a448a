#pragma once
// How wide a window must be for the window manager to show its whole title: the title in a
// bold font, the icon before it and the three buttons after it.
#include <QString>

class QWidget;

namespace kestrion {

int TitleWidth(const QWidget& window, const QString& title);

}  // namespace kestrion
