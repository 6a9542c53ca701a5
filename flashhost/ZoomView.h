#pragma once
// What of a movie its view shows when the program zooms and pans: the player is drawn
// `scale` times the view's size with its top-left corner at `offset` (view pixels), so the
// picture grows and clicks land where it is drawn.

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace flashhost {

class ZoomView {
public:
    // How the movie's stage lies in a view of its size (the control's Scale).
    enum class Fit { ShowAll, NoBorder, ExactFit, NoScale };

    void setView(const QSizeF& view) { view_ = view; }
    void setStage(const QSizeF& stagePixels, Fit fit) {
        stage_ = stagePixels;
        fit_ = fit;
    }

    // 0 resets; otherwise the view shows `factor` percent of what it showed, around its
    // centre (Zoom(50) doubles the picture, Zoom(200) halves it, down to the whole movie).
    void zoom(int factor);
    // Moves the view over the zoomed picture, never past its edges: by pixels (mode 0) or
    // by percent of the view (mode 1).
    void pan(int x, int y, int mode);
    // Shows the movie's rectangle (twips) filling the view, centred.
    void zoomRect(int left, int top, int right, int bottom);
    void reset();

    double scale() const { return scale_; }
    QPointF offset() const { return offset_; }

private:
    void clamp();
    // Where a point of the stage (pixels) is drawn in the unzoomed view.
    QPointF stageToView(const QPointF& p) const;
    QSizeF stageScale() const;

    QSizeF view_;
    QSizeF stage_;
    Fit fit_ = Fit::ShowAll;
    double scale_ = 1;
    QPointF offset_;
};

} // namespace flashhost
