#include "activities/language/UEngLishZHLX.h"

#include "app/FormRegistry.h"
#include "app/ShellState.h"

QPointer<TfrmEngLishZHLX> frmEngLishZHLX;
static RegisterForm<TfrmEngLishZHLX> reg("TfrmEngLishZHLX", frmEngLishZHLX);

TfrmEngLishZHLX::TfrmEngLishZHLX(QWidget* parent)
    : TFallingQuizForm(language::englishQuizLayout(), parent) {
    setupUi(this);
    // The opener stops the music; the close decides where to go back.
    stopsMusic_ = false;
    returnsToOpener_ = false;
    bindQuiz({btna, btnb, btnc, btnd}, {btna, btnb, btnc, btnd},
             QStringLiteral("英语综合练习说明！"));
    connect(chkinfo, &TFlatCheckBox::OnClick, lblinfo,
            [this] { lblinfo->setVisible(chkinfo->Checked()); });
}

void TfrmEngLishZHLX::FormShow() {
    lblinfo->clear();
    lblinfo->show();
    chkinfo->SetChecked(true);
    rbword->SetChecked(true);
    resetQuiz();
}

QString TfrmEngLishZHLX::entryText(int entry) const {
    const language::WordRow& w = language::PictureWords()[static_cast<size_t>(entry)];
    return rbword->Checked() ? w.word() : w.name();
}

void TfrmEngLishZHLX::setItemText(int item, const QString& text) {
    std::array<TFlatButton*, 4>{btna, btnb, btnc, btnd}[static_cast<size_t>(item)]->SetCaption(
        text);
}

void TfrmEngLishZHLX::questionShown() {
    const language::WordRow& w =
        language::PictureWords()[static_cast<size_t>(quiz().answerEntry())];
    lblinfo->setText(rbword->Checked() ? w.name() : w.word());
    lblinfo->setVisible(chkinfo->Checked());
}

QString TfrmEngLishZHLX::promptSound() const {
    return language::soundPath(lblinfo->text().trimmed());
}

TForm::CloseAction TfrmEngLishZHLX::FormClose() {
    stopQuiz();
    if (Hint() == QLatin1String("word")) {
        // Back to a new word browser; the music stays off.
        openLazy(QStringLiteral("Tfrmxxdct"));
    } else {
        shell::resumeMusicAfterActivity();
        returnToOpener(this);
    }
    return CloseAction::Hide;
}

QStringList TfrmEngLishZHLX::dataPaths() {
    return language::wordDataPaths(language::PictureWords(), language::kPictureWordsRead, false);
}
