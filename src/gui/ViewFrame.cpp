#include "gui/ViewFrame.h"

#include <QCloseEvent>
#include <QMenu>

#include "gui/ViewPicture.h"
#include "gui/WindowPlacement.h"

namespace kestrion {

CViewFrame::CViewFrame(QWidget* view, const CProfile& profile, std::string section, IUserInterface& ui)
    : m_profile(profile), m_section(std::move(section)), m_ui(ui)
{
    setWidget(view);
    setWindowTitle(view->windowTitle());
    systemMenu()->addSeparator();
    systemMenu()->addAction("Save Picture...", this, &CViewFrame::SavePicture);
    // The view's own commands, such as the map's "Export Track...".
    systemMenu()->addActions(view->actions());
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

QSize CViewFrame::ArrangedMinimum() const
{
    return minimumSizeHint().expandedTo(minimumSize());
}

QSize CViewFrame::NaturalSize() const
{
    return sizeHint().expandedTo(ArrangedMinimum());
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

void CViewFrame::SavePicture()
{
    FileChooser chooser;
    chooser.mode = FileChooser::Mode::Save;
    chooser.title = "Save Picture";
    chooser.filter = "PNG Images (*.png)|*.png|All Files (*.*)|*.*||";
    chooser.defaultName = m_section + ".png";
    const std::string path = m_ui.ChooseFile(chooser);
    if (path.empty()) {
        return;
    }
    if (const std::string error = SaveViewPicture(*widget(), path); !error.empty()) {
        m_ui.MessageBox(error, BoxButtons::Ok, BoxIcon::Error);
    }
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
