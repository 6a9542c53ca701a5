#include "app/TActivityForm.h"

#include "app/FormRegistry.h"
#include "app/ShellState.h"

#include <QCloseEvent>
#include <QShowEvent>

TActivityForm::TActivityForm(QWidget* parent, Qt::WindowFlags flags) : TForm(parent, flags) {}

void TActivityForm::showEvent(QShowEvent* e) {
    if (!e->spontaneous() && stopsMusic_)
        shell::pauseMusicForActivity();
    TForm::showEvent(e);
}

void TActivityForm::closeEvent(QCloseEvent* e) {
    TForm::closeEvent(e);
    if (!e->isAccepted())
        return;
    if (stopsMusic_)
        shell::resumeMusicAfterActivity();
    if (returnsToOpener_)
        returnToOpener(this);
}
