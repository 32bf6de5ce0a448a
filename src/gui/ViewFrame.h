#pragma once
// The MDI child window of a view. Closing it hides the view (the main frame decides, through
// closeRequested); each time it is shown again after being hidden it takes the placement
// stored in its view's section, and it stores its placement there when it is destroyed. Its
// view may impose a minimum width. Its system menu offers "Save Picture..." and the view's own
// actions. The sizes it is arranged at are its view's readable ones.
#include <string>

#include <QMdiSubWindow>

#include "gui/ViewSizes.h"
#include "platform/Profile.h"
#include "platform/UserInterface.h"

namespace kestrion {

class CViewFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    // `view` becomes the frame's widget and gives the caption, also when it changes; `section`
    // names the view's placement section; `sizes` are those of the view's client area.
    CViewFrame(QWidget* view, const CProfile& profile, std::string section, IUserInterface& ui,
               ViewSizes sizes = {});
    ~CViewFrame() override;

    // Shows the frame in its normal state, first taking the stored placement when the frame
    // has been hidden (or never shown) since it last took it. True when it took a stored one.
    bool ShowRestored();
    void HideView();

    // Views set this; -1 leaves the width to the frame.
    void SetMinimumTrackWidth(int width);
    int MinimumTrackWidth() const { return m_minimumTrackWidth; }
    // The smallest size at which the view can be read, and its size when its content has
    // room: the view's own sizes or those it was given, whichever are larger, with the frame.
    QSize ArrangedMinimum() const;
    QSize NaturalSize() const;
    // The size of the frame minimised.
    QSize IconSize() const;

signals:
    // The user asked to close the frame: the main frame hides it.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Asks for a file and writes the view's picture to it.
    void SavePicture();
    bool RestorePlacement();
    // The frame's size around a client area of that size.
    QSize Framed(QSize client) const;
    // Keeps the geometry of the normal state, which Qt does not give for child windows.
    void NoteNormalGeometry();

    const CProfile& m_profile;
    std::string m_section;
    IUserInterface& m_ui;
    bool m_placementPending = true;
    int m_minimumTrackWidth = -1;
    ViewSizes m_sizes;
    QRect m_normalGeometry;
};

}  // namespace kestrion
