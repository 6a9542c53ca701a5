#pragma once
// Scroll bar drawn entirely by the program: two arrows, a proportional thumb and the two track
// areas, with hover and pressed looks, auto-repeat, thumb dragging and owner drawing of parts.

#include "widgets/FlatUtils.h"

#include <QPainter>

class TWidgetTimer;

class TIScrollBar : public TFlatControl {
    Q_OBJECT
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE SetOwnerDraw)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(TScrollBarKind ScrollBarKind READ ScrollBarKind WRITE SetScrollBarKind)
    Q_PROPERTY(int LargeChange READ LargeChange WRITE SetLargeChange)
    Q_PROPERTY(int SmallChange READ SmallChange WRITE SetSmallChange)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int PageSize READ PageSize WRITE SetPageSize)

public:
    enum TScrollBarKind { sbHorizontal, sbVertical };
    Q_ENUM(TScrollBarKind)
    // Hit codes.
    enum {
        htNone = 0,
        htFirstArrow = 1,
        htSecondArrow = 2,
        htThumb = 3,
        htTrackBefore = 4,
        htTrackAfter = 5
    };
    // Part indices for drawing.
    enum TScrollPart {
        spFirstArrow = 0,
        spSecondArrow = 1,
        spThumb = 2,
        spTrackBefore = 3,
        spTrackAfter = 4
    };
    // Part states.
    enum TPartState { psHot = 0, psDisabled = 1, psPressed = 2, psNormal = 3 };
    // Kinds reported by OnScroll.
    enum TScrollKind { skPage = 0, skLine = 1, skThumb = 2, skScrollBy = 3 };

    explicit TIScrollBar(QWidget* parent = nullptr);

    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    int Position() const { return position_; }
    void SetPosition(int value);
    TScrollBarKind ScrollBarKind() const { return kind_; }
    void SetScrollBarKind(TScrollBarKind value);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = qBound(1, value, 32767); }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = qBound(1, value, 32767); }
    int Max() const { return max_; }
    void SetMax(int value);
    int Min() const { return min_; }
    void SetMin(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int FirstRepeatDelay() const { return firstRepeatDelay_; }
    void SetFirstRepeatDelay(int ms) { firstRepeatDelay_ = ms; }
    // The bar is invisible while disabled when this is on.
    bool HideWhenDisabled() const { return hideWhenDisabled_; }
    void SetHideWhenDisabled(bool value);

    // Moves the position by amount as a step would, reporting kind skScrollBy.
    void ScrollBy(bool towardsMin, bool firstStep, int amount);

    // Geometry of the parts for the current values (empty when a part is not shown).
    QRect PartRect(TScrollPart part) const;
    int HitTest(QPoint pos) const;
    int ThumbSize() const;
    bool Dragging() const { return pressed_ == htThumb; }
    bool Repeating() const;

    // The built-in look of a part.
    virtual void DrawPart(QPainter& p, TScrollPart part, const QRect& r, TPartState state);
    // Arrow glyph of the given direction drawn with color around the centre of r.
    static void DrawArrowGlyph(QPainter& p, const QRect& r, TScrollPart arrow, bool vertical,
                               TColor color);

    QSize sizeHint() const override;

signals:
    // Replaces the built-in drawing of every part while OwnerDraw is on.
    void OnDrawControl(QPainter* canvas, int part, int state, QRect rect);
    void OnChange();
    void OnScroll(bool firstStep, int amount, bool towardsMin, int kind);
    void OnEnabledChange();

protected:
    void paintEvent(QPaintEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void leaveEvent(QEvent* ev) override;
    void changeEvent(QEvent* ev) override;

private:
    struct Geometry {
        QRect parts[5];
        int arrow = 0;
        int track = 0;
        int thumbSize = 0;
        bool thumbShown = false;
    };
    Geometry computeGeometry() const;
    int length() const;
    int thickness() const;
    QRect barRect(int from, int to) const;
    int span() const;
    TPartState stateOf(int hitCode) const;
    void updateEnabled();
    void updateVisibility();
    void step(int hitCode);
    void stopRepeat();
    void onRepeat();

    bool ownerDraw_ = false;
    int position_ = 0;
    int min_ = 0;
    int max_ = 100;
    int pageSize_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 8;
    int firstRepeatDelay_ = 500;
    bool hideWhenDisabled_ = false;
    TScrollBarKind kind_ = sbHorizontal;
    bool firstStep_ = true;
    int pressed_ = htNone;
    int hot_ = htNone;
    int repeatPart_ = htNone;
    QPoint pressPoint_;
    QPoint lastMouse_;
    int thumbStart_ = 0;
    Geometry dragGeometry_;
    TWidgetTimer* repeat_ = nullptr;
};
