#pragma once
// What a user does to widgets, as the widget tests do it.
#include <QDialog>
#include <QTest>

namespace kestrion::test {

// Check boxes and radio buttons take clicks on their mark and text only.
inline void ClickBox(QWidget* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2)); }

// Nested layouts settle one level per pass of the event loop.
inline void SettleLayouts()
{
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::processEvents();
    }
}

inline bool ShowDialog(QDialog& dialog)
{
    dialog.show();
    return QTest::qWaitForWindowExposed(&dialog);
}

}  // namespace kestrion::test
