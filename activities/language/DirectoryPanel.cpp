#include "activities/language/DirectoryPanel.h"

#include "app/ShellState.h"
#include "app/TImage.h"
#include "widgets/HoverLink.h"

#include <QGuiApplication>
#include <QLabel>
#include <stdexcept>

namespace {
template <class T> T* part(QWidget* panel, const QString& name) {
    T* w = panel->findChild<T*>(name);
    if (!w)
        throw std::logic_error("the directory panel has no " + name.toStdString());
    return w;
}
} // namespace

TDirectoryPanel::TDirectoryPanel(QWidget* panel) : QObject(panel) {
    for (int i = 0; i < 10; ++i) {
        QLabel* l = part<QLabel>(panel, QStringLiteral("Label%1").arg(i + 1));
        labels_[static_cast<size_t>(i)] = l;
        auto* link = new THoverLink(l, 16, {QColor(0, 0, 255)}, {QColor(255, 0, 0), false, true},
                                    {QColor(128, 0, 0), false, true});
        l->setCursor(shell::screenCursor(3));
        connect(link, &THoverLink::clicked, this, [this, i] { emit labelClicked(i); });
    }
    auto* back = part<TImage>(panel, QStringLiteral("imgmlback"));
    auto* next = part<TImage>(panel, QStringLiteral("imgmlnext"));
    auto* backHover = part<TImage>(panel, QStringLiteral("imgmlback1"));
    auto* nextHover = part<TImage>(panel, QStringLiteral("imgmlnext1"));
    connect(back, &TImage::OnClick, this, &TDirectoryPanel::priorPage);
    connect(next, &TImage::OnClick, this, &TDirectoryPanel::nextPage);
    wirePageButton(back, nextHover);
    wirePageButton(next, backHover);
    connect(part<TImage>(panel, QStringLiteral("Image1")), &TImage::OnMouseMove, this,
            [backHover, nextHover] { backHover->hide(), nextHover->hide(); });
}

void TDirectoryPanel::wirePageButton(TImage* button, TImage* otherHover) {
    QWidget* panel = button->parentWidget();
    auto* hover = part<TImage>(panel, button->objectName() + QLatin1Char('1'));
    auto* pressed = part<TImage>(panel, button->objectName() + QLatin1Char('2'));
    for (TImage* c : {hover, pressed})
        c->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(button, &TImage::OnMouseMove, this, [=] {
        otherHover->hide();
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            hover->show();
            pressed->hide();
        }
    });
    connect(button, &TImage::OnMouseDown, this, [=] { pressed->show(), hover->hide(); });
    connect(button, &TImage::OnMouseUp, this, [=] { pressed->hide(), hover->hide(); });
}
