#pragma once
// A painted shape: frames round cards, groups and lines.

#include <QColor>
#include <QWidget>

// A rectangle or rounded rectangle with an outline (the pen) and a fill (the brush),
// either of which can be switched off ("clear").
class TShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Rounded READ Rounded WRITE setRounded)
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

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool rounded_ = false;
    QColor penColor_ = Qt::black;
    int penWidth_ = 1;
    bool penClear_ = false;
    bool penDashed_ = false;
    QColor brushColor_ = Qt::white;
    bool brushClear_ = true;
};
