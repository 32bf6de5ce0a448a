#pragma once
// The map's plot area: the kept canvas picture, as large as the area (200 x 200 at least,
// scrolled in a smaller one) or larger and centred on the newest measured point while
// following it, with the CEP circles, the current position and the scale bar over it. The
// wheel zooms through the scale steps about the point under the mouse, a left drag moves the
// ground; a left double-click or a right-button release asks for the preferences.
#include <optional>

#include <QAbstractScrollArea>

#include "views/MapPlot.h"

namespace kestrion {

class CMapCanvas : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CMapCanvas(QWidget* parent = nullptr);

    // The picture anew at the widget's pixel ratio, in the palette's colours, with the origin in
    // the middle.
    void Reset(double pixelsPerMetre, const std::array<int, 3>& ringMetres, bool followNewest);
    void Clear();
    void AddMeasured(GroundPoint point);
    void AddTrue(GroundPoint point);
    // Drawn over the picture, around the origin.
    void SetCepCircles(CepCircles circles);
    CepCircles Cep() const { return m_cep; }

    const CMapPlot& Plot() const { return m_plot; }
    // Where the canvas stands in the client area now.
    CanvasPlacement Placement() const;

signals:
    void preferencesRequested();
    // The wheel changed the scale to this many metres per pixel.
    void scaleChanged(double metresPerPixel);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // After the picture, the following or the client size changed.
    void Relayout(QSize oldClient);
    // The point the view is centred on, if any.
    std::optional<CanvasPoint> Followed() const;
    void MatchPixelRatio();
    // About a point of the client area.
    void Zoom(int steps, QPointF at);

    CMapPlot m_plot;
    bool m_followNewest = false;
    CepCircles m_cep;
    int m_wheel = 0;                  // turned, not yet a whole step
    std::optional<QPoint> m_dragFrom;  // while the left button is down
    bool m_dragging = false;
};

}  // namespace kestrion
