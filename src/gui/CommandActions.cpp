#include "gui/CommandActions.h"

#include <QAction>
#include <QMenuBar>
#include <QToolBar>

#include "gui/MenuMnemonics.h"
#include "gui/ToolbarImages.h"
#include "dialogs/widgets/QtText.h"

namespace kestrion {
namespace {

const char* MenuTitle(Menu menu)
{
    switch (menu) {
    case Menu::Setup: return "&Setup";
    case Menu::View: return "&View";
    case Menu::Action: return "&Action";
    case Menu::Navigation: return "&Navigation";
    case Menu::Poll: return "&Poll";
    case Menu::Window: return "&Window";
    }
    return "";
}

}  // namespace

CCommandActions::CCommandActions(QMenuBar& menuBar, QToolBar& toolBar, std::function<void(int)> run,
                                 std::function<void()> beforeMenu)
    : QObject(&menuBar)
{
    for (const CommandInfo& command : Commands()) {
        auto* action = new QAction(ToQt(command.label), this);
        action->setCheckable(command.check != CheckRule::Never);
        action->setIconVisibleInMenu(false);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [run, id] { run(id); });
        if (id == ID_OPEN_DATA_SOURCE) {
            action->setShortcut(Qt::Key_F5);
        }
        m_actions[id] = action;
    }
    BuildMenus(menuBar, beforeMenu);
    BuildToolBar(toolBar);
}

void CCommandActions::BuildMenus(QMenuBar& menuBar, const std::function<void()>& beforeMenu)
{
    QMenu* menu = nullptr;
    QMenu* submenu = nullptr;
    Menu current{};
    for (const CommandInfo& command : Commands()) {
        if (menu == nullptr || command.menu != current) {
            current = command.menu;
            menu = menuBar.addMenu(MenuTitle(current));
            CMenuMnemonics::Install(*menu);
            connect(menu, &QMenu::aboutToShow, this, beforeMenu);
            submenu = nullptr;
        }
        if (command.submenu.empty()) {
            menu->addAction(m_actions[command.id]);
            continue;
        }
        if (submenu == nullptr || submenu->title() != ToQt(command.submenu)) {
            submenu = menu->addMenu(ToQt(command.submenu));
            CMenuMnemonics::Install(*submenu);
            connect(submenu, &QMenu::aboutToShow, this, beforeMenu);
        }
        submenu->addAction(m_actions[command.id]);
    }
}

void CCommandActions::BuildToolBar(QToolBar& toolBar)
{
    // Images are numbered in button order.
    int image = 0;
    for (const int id : kToolbar) {
        if (id == 0) {
            toolBar.addSeparator();
            continue;
        }
        toolBar.addAction(m_actions[id]);
        SetImage(id, image++);
    }
}

QAction* CCommandActions::Action(int id) const
{
    const auto found = m_actions.find(id);
    return found != m_actions.end() ? found->second : nullptr;
}

void CCommandActions::Update(const FrameState& state)
{
    for (const CommandInfo& command : Commands()) {
        QAction* action = m_actions[command.id];
        action->setEnabled(IsEnabled(command, state));
        if (action->isCheckable()) {
            action->setChecked(IsChecked(command, state));
        }
    }
}

void CCommandActions::SetImage(int id, int image)
{
    const auto known = m_images.find(id);
    if (known != m_images.end() && known->second == image) {
        return;
    }
    m_images[id] = image;
    m_actions[id]->setIcon(ToolbarImage(image));
}

int CCommandActions::Image(int id) const
{
    const auto found = m_images.find(id);
    return found != m_images.end() ? found->second : -1;
}

}  // namespace kestrion
