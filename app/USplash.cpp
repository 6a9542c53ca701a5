#include "app/USplash.h"

#include <QGuiApplication>
#include <QScreen>

QPointer<Tfrmsplash> frmsplash;

Tfrmsplash::Tfrmsplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setupUi(this);
    setFixedSize(452, 322);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
}
