#pragma once
// The map's plot area: the kept canvas picture, centred in a larger area, scrolled in a smaller
// one, or centred on the newest measured point while following it. A left double-click or a
// right-button release asks for the preferences.
#include <QAbstractScrollArea>

#include "views/MapPlot.h"

namespace kestrion {

class CMapCanvas : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CMapCanvas(QWidget* parent = nullptr);

    // The picture anew at the widget's pixel ratio, in the palette's colours.
    void Reset(const std::array<int, 3>& ringRadii, bool followNewest);
    void Clear();
    void AddMeasured(CanvasPoint point);
    void AddTrue(CanvasPoint point);
    // Drawn over the picture, around the origin.
    void SetCepCircles(CepCircles circles);
    CepCircles Cep() const { return m_cep; }

    const CMapPlot& Plot() const { return m_plot; }
    // Where the canvas stands in the client area now.
    CanvasPlacement Placement() const;

signals:
    void preferencesRequested();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // After the picture, the following or the client size changed.
    void Relayout(QSize oldClient);
    // The point the view is centred on, if any.
    std::optional<CanvasPoint> Followed() const;
    void MatchPixelRatio();

    CMapPlot m_plot;
    bool m_followNewest = false;
    CepCircles m_cep;
};

}  // namespace kestrion
