#pragma once
// A painted shape: frames round cards, groups and lines, and the circles and squares
// that games place over their pictures (a shape with a clear pen still takes clicks).

#include <QColor>
#include <QWidget>

// A rectangle or rounded rectangle with an outline (the pen) and a fill (the brush),
// either of which can be switched off ("clear").
class TShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Rounded READ Rounded WRITE setRounded)
    Q_PROPERTY(bool Ellipse READ Ellipse WRITE setEllipse)
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)
    Q_PROPERTY(QColor PenColor READ PenColor WRITE setPenColor)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE setPenWidth)
    Q_PROPERTY(bool PenClear READ PenClear WRITE setPenClear)
    Q_PROPERTY(bool PenDashed READ PenDashed WRITE setPenDashed)
    Q_PROPERTY(QColor BrushColor READ BrushColor WRITE setBrushColor)
    Q_PROPERTY(bool BrushClear READ BrushClear WRITE setBrushClear)

public:
    explicit TShape(QWidget* parent = nullptr);

    bool Rounded() const { return rounded_; }
    void setRounded(bool r);
    bool Ellipse() const { return ellipse_; }
    void setEllipse(bool e);
    QString Hint() const { return hint_; }
    void setHint(const QString& h) { hint_ = h; }
    QColor PenColor() const { return penColor_; }
    void setPenColor(const QColor& c);
    int PenWidth() const { return penWidth_; }
    void setPenWidth(int w);
    bool PenClear() const { return penClear_; }
    void setPenClear(bool c);
    bool PenDashed() const { return penDashed_; }
    void setPenDashed(bool d);
    QColor BrushColor() const { return brushColor_; }
    void setBrushColor(const QColor& c);
    bool BrushClear() const { return brushClear_; }
    void setBrushClear(bool c);

signals:
    // Only for shapes something listens to; the others let the mouse through to their
    // parent.
    void OnMouseDown(Qt::MouseButton button, QPoint pos);
    void OnMouseMove(QPoint pos);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void connectNotify(const QMetaMethod& signal) override;

private:
    bool rounded_ = false;
    bool ellipse_ = false;
    QString hint_;
    QColor penColor_ = Qt::black;
    int penWidth_ = 1;
    bool penClear_ = false;
    bool penDashed_ = false;
    QColor brushColor_ = Qt::white;
    bool brushClear_ = true;
};
