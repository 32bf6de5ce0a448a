#include "app/gui/ViewFrame.h"

#include <QCloseEvent>

#include "app/gui/WindowPlacement.h"

namespace kestrion {

CViewFrame::CViewFrame(QWidget* view, const CProfile& profile, std::string section)
    : m_profile(profile), m_section(std::move(section))
{
    setWidget(view);
    setWindowTitle(view->windowTitle());
}

CViewFrame::~CViewFrame()
{
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    SavePlacement(m_profile, m_section, PlacementOf(normal ? geometry() : m_normalGeometry, windowState()));
}

void CViewFrame::ShowRestored()
{
    showNormal();
    if (m_placementPending) {
        m_placementPending = false;
        RestorePlacement();
    }
}

void CViewFrame::HideView()
{
    hide();
    m_placementPending = true;
}

void CViewFrame::SetMinimumTrackWidth(int width)
{
    m_minimumTrackWidth = width;
    setMinimumWidth(width >= 0 ? width : 0);
}

void CViewFrame::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

void CViewFrame::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    NoteNormalGeometry();
}

void CViewFrame::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    NoteNormalGeometry();
}

void CViewFrame::RestorePlacement()
{
    const std::optional<WindowPlacement> placement = LoadPlacement(m_profile, m_section);
    if (!placement) {
        return;
    }
    if (const QRect normal = NormalGeometry(*placement); !normal.isEmpty()) {
        setGeometry(normal);
    }
    if (placement->showCmd == WindowPlacement::kShowMinimized) {
        showMinimized();
    }
}

void CViewFrame::NoteNormalGeometry()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        m_normalGeometry = geometry();
    }
}

}  // namespace kestrion
