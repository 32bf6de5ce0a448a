#include "gui/ViewFrame.h"

#include <QCloseEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include "gui/ViewPicture.h"
#include "gui/WindowPlacement.h"

namespace kestrion {

CViewFrame::CViewFrame(QWidget* view, const CProfile& profile, std::string section, IUserInterface& ui,
                       ViewSizes sizes)
    : m_profile(profile), m_section(std::move(section)), m_ui(ui), m_sizes(sizes)
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

bool CViewFrame::ShowRestored()
{
    showNormal();
    if (!m_placementPending) {
        return false;
    }
    m_placementPending = false;
    return RestorePlacement();
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
    // From the view, whatever state the frame is in: a minimised frame's own hints are its icon's.
    const QWidget& view = *widget();
    const QSize readable(m_sizes.minimum.width, m_sizes.minimum.height);
    return Framed(view.minimumSizeHint().expandedTo(view.minimumSize()).expandedTo(readable)).expandedTo(minimumSize());
}

QSize CViewFrame::NaturalSize() const
{
    const QSize opening(m_sizes.opening.width, m_sizes.opening.height);
    return Framed(widget()->sizeHint().expandedTo(opening)).expandedTo(ArrangedMinimum());
}

QSize CViewFrame::IconSize() const
{
    // A minimised frame is its title bar.
    QStyleOptionTitleBar option;
    option.initFrom(this);
    return {style()->pixelMetric(QStyle::PM_MdiSubWindowMinimizedWidth, nullptr, this),
            style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this)};
}

QSize CViewFrame::Framed(QSize client) const
{
    const QMargins margins = contentsMargins();
    return client.grownBy(margins);
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

bool CViewFrame::RestorePlacement()
{
    const std::optional<WindowPlacement> placement = LoadPlacement(m_profile, m_section);
    if (!placement) {
        return false;
    }
    if (const QRect normal = NormalGeometry(*placement); !normal.isEmpty()) {
        setGeometry(normal);
    }
    // A view stored maximised comes back normal.
    if (placement->showCmd == WindowPlacement::kShowMinimized) {
        showMinimized();
    }
    return true;
}

void CViewFrame::NoteNormalGeometry()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        m_normalGeometry = geometry();
    }
}

}  // namespace kestrion
