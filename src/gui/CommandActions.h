#pragma once
// The menus and the toolbar, built from the command table: one action per command, shared by
// its menu item and its toolbar button. Enabled and checked marks all come from one frame
// state.
#include <functional>
#include <map>

#include <QObject>

#include "app/CommandTable.h"

class QAction;
class QMenuBar;
class QToolBar;

namespace kestrion {

class CCommandActions : public QObject {
public:
    // Every action triggers `run` with its command id; `beforeMenu` runs before a menu shows.
    CCommandActions(QMenuBar& menuBar, QToolBar& toolBar, std::function<void(int id)> run,
                    std::function<void()> beforeMenu);

    QAction* Action(int id) const;
    void Update(const FrameState& state);
    // The picture of a command's toolbar button.
    void SetImage(int id, int image);
    int Image(int id) const;

private:
    void BuildMenus(QMenuBar& menuBar, const std::function<void()>& beforeMenu);
    void BuildToolBar(QToolBar& toolBar);

    std::map<int, QAction*> m_actions;
    std::map<int, int> m_images;  // the toolbar's commands -> image number
};

}  // namespace kestrion
