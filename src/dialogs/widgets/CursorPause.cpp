#include "dialogs/widgets/CursorPause.h"

#include <QGuiApplication>

namespace kestrion {

CCursorPause::CCursorPause()
{
    while (const QCursor* cursor = QGuiApplication::overrideCursor()) {
        m_cursors.push_back(*cursor);
        QGuiApplication::restoreOverrideCursor();
    }
}

CCursorPause::~CCursorPause()
{
    for (auto cursor = m_cursors.rbegin(); cursor != m_cursors.rend(); ++cursor) {
        QGuiApplication::setOverrideCursor(*cursor);
    }
}

}  // namespace kestrion
