#include "activities/math/ArithDrillForm.h"

#include "activities/math/MathSound.h"
#include "activities/math/MathWidgets.h"
#include "app/FormRegistry.h"
#include "app/TImage.h"
#include "widgets/TFlatRadioButtonUnit.h"

#include <QLabel>

TArithDrillForm::TArithDrillForm(QWidget* parent) : TActivityForm(parent) {
    // The drills leave the background music as it is.
    stopsMusic_ = false;
    Timer1 = new TTimer(this, 1000, false);
    Timer2 = new TTimer(this, 1000, false);
    connect(Timer1, &TTimer::OnTimer, this, &TArithDrillForm::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TArithDrillForm::Timer2Timer);
}

void TArithDrillForm::bindDrill() {
    auto label = [this](const char* name) { return findChild<QLabel*>(QLatin1String(name)); };
    auto image = [this](const char* name) { return findChild<TImage*>(QLatin1String(name)); };
    lbltopic_ = label("lbltopic");
    lblkey_ = label("lblkey");
    lblpd_ = label("lblpd");
    lbltotal_ = label("lbltotal");
    lblright_ = label("lblright");
    lblwrong_ = label("lblwrong");
    lbltime_ = label("lbltime");
    answers_ = {image("imga"), image("imgb"), image("imgc"), image("imgd")};
    labels_ = {label("lbla"), label("lblb"), label("lblc"), label("lbld")};
    rb1_ = findChild<TFlatRadioButton*>(QStringLiteral("rb1"));

    wirePictureButtons();
    // The numbers sit on their buttons and let the mouse through to them.
    for (QLabel* l : labels_) {
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->raise();
    }
    for (TImage* b : answers_)
        connect(b, &TImage::OnClick, this, [this, b] { imgaClick(b); });
    connect(image("imgnext"), &TImage::OnClick, this, &TArithDrillForm::imgnextClick);
    connect(image("imghelp"), &TImage::OnClick, this, &TArithDrillForm::imghelpClick);
    connect(image("imgfh"), &TImage::OnClick, this, &TArithDrillForm::imgfhClick);
    for (TFlatRadioButton* rb : findChildren<TFlatRadioButton*>())
        connect(rb, &TFlatRadioButton::OnClick, this, &TArithDrillForm::rangeClick);
}

void TArithDrillForm::FormShow() {
    Timer1->setTag(0);
    Timer1->setEnabled(true);
    for (QLabel* l : {lbltotal_, lblright_, lblwrong_, lbltime_})
        l->setText(QStringLiteral("0"));
    lblpd_->hide();
    settingRange_ = true;
    rb1_->SetChecked(true);
    settingRange_ = false;
    NewQuestion();
}

TForm::CloseAction TArithDrillForm::FormClose() {
    Timer1->setEnabled(false);
    return CloseAction::Hide;
}

void TArithDrillForm::showQuestion(const math::DrillQuestion& q) {
    question_ = q;
    questionMode_ = selectedMode();
    lbltopic_->setText(q.line);
    lblkey_->setText(q.overlay);
    for (size_t i = 0; i < 4; ++i) {
        labels_[i]->setText(QString::number(q.answers.numbers[i]));
        answers_[i]->setHint(static_cast<int>(i) == q.answers.right ? QStringLiteral("1")
                                                                    : QStringLiteral("0"));
    }
}

void TArithDrillForm::answered(bool right, bool playSound) {
    math::countUp(lbltotal_);
    lblkey_->show();
    math::countUp(right ? lblright_ : lblwrong_);
    lblpd_->setText(right ? QStringLiteral("√") : QStringLiteral("×"));
    if (playSound)
        math::playSound(right ? QStringLiteral("DATA\\bgsnd\\right.WAV")
                              : QStringLiteral("DATA\\bgsnd\\wrong.WAV"),
                        true);
    lblpd_->show();
    Timer2->setEnabled(true);
}

void TArithDrillForm::imgaClick(TImage* answer) {
    if (lblpd_->isVisible())
        return;
    answered(answer->Hint() == QLatin1String("1"), true);
}

void TArithDrillForm::imgnextClick() {
    if (lblpd_->isVisible())
        return;
    answered(false, false);
}

void TArithDrillForm::Timer1Timer() {
    Timer1->setTag(Timer1->Tag() + 1);
    lbltime_->setText(QString::number(Timer1->Tag()));
}

void TArithDrillForm::Timer2Timer() {
    Timer2->setEnabled(false);
    lblpd_->hide();
    NewQuestion();
}

void TArithDrillForm::rangeClick() {
    if (!settingRange_ && !lblpd_->isVisible() && selectedMode() != questionMode_)
        NewQuestion();
}

void TArithDrillForm::imghelpClick() {
    openLazy(QStringLiteral("Tfrmkjb"));
}

void TArithDrillForm::imgfhClick() {
    close();
}
