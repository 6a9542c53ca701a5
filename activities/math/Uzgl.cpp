#include "activities/math/Uzgl.h"

#include "activities/math/MathSound.h"
#include "activities/math/MathWidgets.h"
#include "app/FormRegistry.h"
#include "app/UMain.h"

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
    for (TImage* b : answers_)
        connect(b, &TImage::OnClick, this, [this, b] { imgaClick(b); });
    connect(imgnext, &TImage::OnClick, this, &Tfrmzgl::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &Tfrmzgl::imgfhClick);
}

void Tfrmzgl::FormShow() {
    for (QLabel* l : {lblcount, lblright, lblwrong})
        l->setText(QStringLiteral("0"));
    NewQuestion();
}

TForm::CloseAction Tfrmzgl::FormClose() {
    Timer2->setEnabled(false);
    Timer1->setEnabled(false);
    return CloseAction::Hide;
}

void Tfrmzgl::NewQuestion() {
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
}

void Tfrmzgl::imgaClick(TImage* answer) {
    // No question is open, or its verdict is showing: a second click must not count.
    if (answer->Hint().isEmpty() || Timer1->Enabled())
        return;
    imgjudge->move(776, imgjudge->y());
    math::countUp(lblcount);
    const bool right = answer->Hint() == QLatin1String("1");
    math::countUp(right ? lblright : lblwrong);
    if (Frmmain)
        imgjudge->setPicture(right ? Frmmain->imgright->Picture() : Frmmain->imgwrong->Picture());
    math::playSound(right ? QStringLiteral("DATA\\bgsnd\\right.WAV")
                          : QStringLiteral("DATA\\bgsnd\\wrong.WAV"),
                    true);
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
    lbltime->setText(QString::number(math::captionValue(lbltime) + 1));
}

void Tfrmzgl::imgfhClick() {
    close();
}
