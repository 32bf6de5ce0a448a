#include "gui/MenuMnemonics.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

namespace kestrion {

void CMenuMnemonics::Install(QMenu& menu)
{
    menu.installEventFilter(new CMenuMnemonics(&menu));
}

bool CMenuMnemonics::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu == nullptr || event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->text().size() != 1 || (modifiers != Qt::NoModifier && modifiers != Qt::AltModifier && modifiers != Qt::ShiftModifier)) {
        return false;
    }
    const QKeySequence pressed = QKeySequence::mnemonic(QStringLiteral("&") + key->text());
    int named = 0;
    QAction* enabled = nullptr;
    int enabledCount = 0;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || !action->isVisible() || QKeySequence::mnemonic(action->text()) != pressed) {
            continue;
        }
        ++named;
        if (action->isEnabled()) {
            enabled = action;
            ++enabledCount;
        }
    }
    if (named < 2 || enabledCount != 1) {
        return false;
    }
    // Return on the active item triggers it and closes the menus, as a unique mnemonic does.
    menu->setActiveAction(enabled);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
    return true;
}

}  // namespace kestrion
