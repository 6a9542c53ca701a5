#include "activities/puzzles/UPhb.h"

#include "activities/puzzles/PuzzleDialogs.h"
#include "activities/puzzles/ScoreFile.h"
#include "platform/IniFile.h"

QString PhbPrefix;
QPointer<Tfrmphb> frmphb;

Tfrmphb::Tfrmphb(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    setWindowFlags(Qt::Dialog | puzzles::kSystemMenuFrame);
    setFixedSize(602, 482);
    puzzles::wireDialogButtons(this);
    connect(imgexit, &TImage::OnClick, this, &QDialog::reject);
}

namespace {
// A long name (the dialog takes 20 characters) gets smaller type rather than losing its
// ends; the form's type is the largest.
void fitType(QLabel* label) {
    QFont f = label->font();
    const int room = label->contentsRect().width();
    while (f.pointSize() > 7 && QFontMetrics(f).horizontalAdvance(label->text()) > room)
        f.setPointSize(f.pointSize() - 1);
    label->setFont(f);
}
} // namespace

void Tfrmphb::FormShow() {
    const platform::IniFile ini(puzzles::scoreFilePath());
    const auto rows = puzzles::readStored(ini, PhbPrefix);
    QLabel* names[] = {lblname1, lblname2, lblname3, lblname4, lblname5};
    QLabel* stages[] = {lblgk1, lblgk2, lblgk3, lblgk4, lblgk5};
    QLabel* scores[] = {lblscore1, lblscore2, lblscore3, lblscore4, lblscore5};
    for (size_t r = 0; r < rows.size(); ++r) {
        names[r]->setText(rows[r].name);
        fitType(names[r]);
        stages[r]->setText(rows[r].gk);
        scores[r]->setText(rows[r].score);
    }
}

namespace puzzles {

void showLeaderboard(const QString& prefix, const QString& caption) {
    frmphb = new Tfrmphb();
    PhbPrefix = prefix;
    frmphb->setWindowTitle(caption);
    frmphb->FormShow();
    runModal(*frmphb);
    delete frmphb.data();
}

} // namespace puzzles
