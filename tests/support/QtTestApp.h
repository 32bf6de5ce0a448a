#pragma once
// The one application object of a widget test program; tests run on the offscreen platform.
#include <QApplication>

namespace kestrion::test {

inline QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "kestrion-tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own globals (input devices among them) go first at exit, and an
    // application destroyed after them crashes.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

}  // namespace kestrion::test
