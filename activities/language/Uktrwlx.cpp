#include "activities/language/Uktrwlx.h"

#include "app/FormRegistry.h"

QPointer<Tfrmktrwlx> frmktrwlx;
static RegisterForm<Tfrmktrwlx> reg("Tfrmktrwlx", frmktrwlx);

Tfrmktrwlx::Tfrmktrwlx(QWidget* parent)
    : TPicturePracticeForm(language::fourPictures(), language::animalWords(), parent) {
    setupUi(this);
    // The browser already stopped the music; its close brings it back.
    stopsMusic_ = false;
    bindPractice({QStringLiteral("pica"), QStringLiteral("picb"), QStringLiteral("picc"),
                  QStringLiteral("picd")},
                 TColor{0x00F88E30}, 100);
}

TForm::CloseAction Tfrmktrwlx::FormClose() {
    stopPractice();
    stopSound();
    return CloseAction::Hide;
}

QStringList Tfrmktrwlx::dataPaths() {
    return language::wordDataPaths(language::animalWords(), language::kAnimalCount, true) +
           language::judgementPaths();
}
