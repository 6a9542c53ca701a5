#include "activities/puzzles/Ugamesave.h"

#include "activities/puzzles/PuzzleDialogs.h"
#include "platform/IniFile.h"
#include "platform/MessageService.h"

QPointer<Tfrmgamesave> frmgamesave;

Tfrmgamesave::Tfrmgamesave(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    setWindowFlags(Qt::Dialog | puzzles::kSystemMenuFrame | Qt::WindowStaysOnTopHint);
    setFixedSize(400, 250);
    puzzles::wireDialogButtons(this);
    connect(imgok, &TImage::OnClick, this, &Tfrmgamesave::imgokClick);
    connect(imgexit, &TImage::OnClick, this, &Tfrmgamesave::imgexitClick);
    // Enter after the name saves, as a child who typed it expects.
    connect(txtname, &QLineEdit::returnPressed, this, &Tfrmgamesave::imgokClick);
    // Only what the score file can hold: GBK characters, one line, 20 at most.
    connect(txtname, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString kept = puzzles::cleanedName(text);
        if (kept != text)
            txtname->setText(kept);
    });
    txtname->setFocus();
}

namespace puzzles {

void offerToSave(QWidget* game, const QString& prefix, const QString& caption,
                 const ScoreTable& read, int score, int stage, bool saveable) {
    if (!saveable || !worthSaving(score, read))
        return;
    if (platform::showMessage(
            game,
            QStringLiteral("小朋友，当前的游戏你还未保存记录，你是否想保存当前的游戏成绩呢？\r"
                           "点击[确定]按钮，可以将成绩保存，点击[取消]按钮，将直接退出本游戏！"),
            caption, platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
        return;
    frmgamesave = new Tfrmgamesave();
    const int result = runModal(*frmgamesave);
    const QString name = cleanedName(frmgamesave->name());
    delete frmgamesave.data();
    if (result != 1)
        return;
    platform::IniFile ini(scoreFilePath());
    saveScore(ini, prefix, read, {name, stage, score});
}

} // namespace puzzles
