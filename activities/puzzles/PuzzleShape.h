#pragma once
// The shape control of the puzzle windows: an ellipse or rectangle outline whose pen can
// be switched off ("clear") while the shape still takes clicks in its whole rectangle.

#include <QColor>
#include <QWidget>

namespace puzzles {

class TShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Ellipse READ Ellipse WRITE setEllipse)
    Q_PROPERTY(QColor PenColor READ PenColor WRITE setPenColor)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE setPenWidth)
    Q_PROPERTY(bool PenClear READ PenClear WRITE setPenClear)
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)

public:
    explicit TShape(QWidget* parent = nullptr);

    bool Ellipse() const { return ellipse_; }
    void setEllipse(bool e);
    QColor PenColor() const { return penColor_; }
    void setPenColor(const QColor& c);
    int PenWidth() const { return penWidth_; }
    void setPenWidth(int w);
    bool PenClear() const { return penClear_; }
    void setPenClear(bool c);
    QString Hint() const { return hint_; }
    void setHint(const QString& h) { hint_ = h; }

signals:
    void OnMouseDown(Qt::MouseButton button, QPoint pos);
    void OnMouseMove(QPoint pos);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    bool ellipse_ = false;
    QColor penColor_ = Qt::black;
    int penWidth_ = 1;
    bool penClear_ = false;
    QString hint_;
};

} // namespace puzzles
