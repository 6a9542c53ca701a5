#pragma once
// A label that acts as a link: one look at rest, another under the mouse, a third
// while pressed (the text also sinks by two pixels), and a click on release inside.
// The cursor is the form's to choose.

#include <QColor>
#include <QObject>

class QLabel;

// Sets a label's colour, pixel size and style at run time.
void setLabelLook(QLabel* label, const QColor& colour, int pixelSize, bool bold, bool underline);

class THoverLink : public QObject {
    Q_OBJECT
public:
    struct Look {
        QColor colour;
        bool bold = false;
        bool underline = false;
    };

    // Watches `label` (and belongs to it); shows the rest look at once.
    THoverLink(QLabel* label, int pixelSize, Look rest, Look hover, Look pressed);

    QLabel* label() const;

signals:
    // A left click released inside the label; it comes before the label sees the release.
    void clicked(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const Look& look);

    int pixelSize_;
    Look rest_, hover_, pressed_;
    bool sunk_ = false;
};
