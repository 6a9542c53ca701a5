#include "app/USplash.h"

#include "app/TForm.h"

QPointer<Tfrmsplash> frmsplash;

Tfrmsplash::Tfrmsplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setupUi(this);
    setFixedSize(452, 322);
    centreOnScreen(this);
}
