#include "activities/math/Uzgl.h"

#include "activities/common/TallyView.h"
#include "app/FormRegistry.h"

QPointer<Tfrmzgl> frmzgl;
static RegisterForm<Tfrmzgl> reg("Tfrmzgl", frmzgl);

Tfrmzgl::Tfrmzgl(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    stopsMusic_ = false;
    Timer1 = new TTimer(this, 1000, false);
    Timer2 = new TTimer(this, 1000, true);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmzgl::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &Tfrmzgl::Timer2Timer);
    answers_ = {imga, imgb, imgc, imgd};
    labels_ = {lbla, lblb, lblc, lbld};
    wirePictureButtons();
    for (QLabel* l : labels_) {
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->raise();
    }
    for (size_t i = 0; i < answers_.size(); ++i)
        connect(answers_[i], &TImage::OnClick, this, [this, i] { imgaClick(static_cast<int>(i)); });
    connect(imgnext, &TImage::OnClick, this, &Tfrmzgl::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &Tfrmzgl::imgfhClick);
}

void Tfrmzgl::FormShow() {
    round_.reset();
    common::showTally(round_.tally(), lblcount, lblright, lblwrong);
    NewQuestion();
}

TForm::CloseAction Tfrmzgl::FormClose() {
    Timer2->setEnabled(false);
    Timer1->setEnabled(false);
    return CloseAction::Hide;
}

void Tfrmzgl::NewQuestion() {
    round_.restartClock();
    lbltime->setText(QStringLiteral("0"));
    imgok->setHint(QString());
    platform::rng().randomize();
    imgjudge->hide();
    for (size_t i = 0; i < 4; ++i) {
        labels_[i]->setText(QString());
        answers_[i]->setHint(QString());
    }
    Timer2->setEnabled(true);

    question_ = math::makePatternQuestion(platform::rng());
    lblcontent->setText(question_.content);
    lbltime->setProperty("Tag", question_.numericAnswer);
    imgok->setHint(question_.letterAnswer);
    for (size_t i = 0; i < 4; ++i) {
        labels_[i]->setText(question_.labels[i]);
        answers_[i]->setHint(static_cast<int>(i) == question_.position ? QStringLiteral("1")
                                                                       : QStringLiteral("0"));
    }
    round_.ask(question_.position);
}

void Tfrmzgl::imgaClick(int answer) {
    const common::Verdict verdict = round_.answer(answer);
    if (verdict == common::Verdict::Ignored)
        return;
    const bool right = verdict == common::Verdict::Right;
    imgjudge->move(776, imgjudge->y());
    common::showTally(round_.tally(), lblcount, lblright, lblwrong);
    imgjudge->setPicture(judgementPicture(right));
    playJudgement(right);
    imgjudge->show();
    Timer1->setEnabled(true);
}

void Tfrmzgl::imgnextClick() {
    if (!Timer1->Enabled())
        NewQuestion();
}

void Tfrmzgl::Timer1Timer() {
    Timer1->setEnabled(false);
    NewQuestion();
}

void Tfrmzgl::Timer2Timer() {
    lbltime->setText(QString::number(round_.tick()));
}

void Tfrmzgl::imgfhClick() {
    close();
}

QStringList Tfrmzgl::dataPaths() {
    return {QStringLiteral("DATA\\bgsnd\\right.WAV"), QStringLiteral("DATA\\bgsnd\\wrong.WAV")};
}
