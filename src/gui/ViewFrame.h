#pragma once
// The MDI child window of a view. Closing it hides the view (the main frame decides, through
// closeRequested); each time it is shown again after being hidden it takes the placement
// stored in its view's section, and it stores its placement there when it is destroyed. Its
// view may impose a minimum width. Its system menu offers "Save Picture..." and the view's own
// actions.
#include <string>

#include <QMdiSubWindow>

#include "platform/Profile.h"
#include "platform/UserInterface.h"

namespace kestrion {

class CViewFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    // `view` becomes the frame's widget and gives the caption, also when it changes; `section`
    // names the view's placement section.
    CViewFrame(QWidget* view, const CProfile& profile, std::string section, IUserInterface& ui);
    ~CViewFrame() override;

    // Shows the frame in its normal state, first taking the stored placement when the frame
    // has been hidden (or never shown) since it last took it.
    void ShowRestored();
    void HideView();

    // Views set this; -1 leaves the width to the frame.
    void SetMinimumTrackWidth(int width);
    int MinimumTrackWidth() const { return m_minimumTrackWidth; }
    // The smallest size the frame can have, and its size when its view's form has room.
    QSize ArrangedMinimum() const;
    QSize NaturalSize() const;

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
    void RestorePlacement();
    // Keeps the geometry of the normal state, which Qt does not give for child windows.
    void NoteNormalGeometry();

    const CProfile& m_profile;
    std::string m_section;
    IUserInterface& m_ui;
    bool m_placementPending = true;
    int m_minimumTrackWidth = -1;
    QRect m_normalGeometry;
};

}  // namespace kestrion
