#pragma once
// The picture browser's directory panel: ten name labels that act as links, and the two
// page buttons with their hover and pressed pictures (only one hover shows at a time).

#include <QObject>
#include <array>

class QLabel;
class QWidget;
class TImage;

class TDirectoryPanel : public QObject {
    Q_OBJECT
public:
    // Finds Label1..Label10, imgmlback, imgmlnext and their pictures 1 and 2, and Image1
    // inside `panel`.
    explicit TDirectoryPanel(QWidget* panel);

    QLabel* label(int i) const { return labels_[static_cast<size_t>(i)]; }

signals:
    void labelClicked(int index);
    void nextPage();
    void priorPage();

private:
    void wirePageButton(TImage* button, TImage* otherHover);

    std::array<QLabel*, 10> labels_{};
};
