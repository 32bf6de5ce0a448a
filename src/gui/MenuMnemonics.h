#pragma once
// Mnemonics that several items of a menu share: Qt cycles through all of them, the disabled
// ones too, and triggers none. With this filter on a menu, the key triggers the one enabled
// item of those it names; other keys go to the menu as before.
#include <QObject>

class QMenu;

namespace kestrion {

class CMenuMnemonics : public QObject {
public:
    // Filters the keys of the menu; owned by it.
    static void Install(QMenu& menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

}  // namespace kestrion
