#include "activities/language/UKtrwZhlx.h"

#include "app/FormRegistry.h"

QPointer<TfrmKtrwZhlx> frmKtrwZhlx;
static RegisterForm<TfrmKtrwZhlx> reg("TfrmKtrwZhlx", frmKtrwZhlx);

TfrmKtrwZhlx::TfrmKtrwZhlx(QWidget* parent)
    : TPicturePracticeForm(language::sixteenPictures(), language::KtrwZhlxWordTable(), parent) {
    setupUi(this);
    QStringList pictures;
    for (int i = 1; i <= 16; ++i)
        pictures << QStringLiteral("imgpic%1").arg(i);
    bindPractice(pictures, TColor{0x00FF0080}, 100);
}

TForm::CloseAction TfrmKtrwZhlx::FormClose() {
    stopPractice();
    return CloseAction::Hide;
}

QStringList TfrmKtrwZhlx::dataPaths() {
    QStringList paths =
        language::wordDataPaths(language::KtrwZhlxWordTable(), language::kZhlxAnimalCount, true);
    for (const language::WordRow& w : language::KtrwZhlxWordTable())
        paths << language::picturePath(w.name());
    paths.removeDuplicates();
    return paths + language::judgementPaths();
}
