#include "app/TActivityForm.h"

#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"

#include <QCloseEvent>
#include <QShowEvent>

TActivityForm::TActivityForm(QWidget* parent, Qt::WindowFlags flags) : TForm(parent, flags) {}

void TActivityForm::showEvent(QShowEvent* e) {
    if (!e->spontaneous() && stopsMusic_ && !comingBackFromPark())
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

bool TActivityForm::playSound(const QString& windowsPath, bool report) {
    return shell::playSound(windowsPath, report);
}

void TActivityForm::stopSound() {
    shell::stopSound();
}

void TActivityForm::playWave(const QString& windowsPath) {
    shell::playWave(windowsPath);
}

void TActivityForm::playClick() {
    shell::playClick();
}

void TActivityForm::playJudgement(bool right, bool report) {
    shell::playSound(right ? QStringLiteral("DATA\\bgsnd\\right.WAV")
                           : QStringLiteral("DATA\\bgsnd\\wrong.WAV"),
                     report);
}

QPixmap TActivityForm::judgementPicture(bool right) {
    return shell::judgementPicture(right);
}
