#include "activities/math/ArithDrillForm.h"

#include "activities/common/TallyView.h"
#include "app/FormRegistry.h"
#include "app/TImage.h"
#include "widgets/TFlatRadioButtonUnit.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

TArithDrillForm::TArithDrillForm(QWidget* parent) : TActivityForm(parent) {
    // The drills leave the background music as it is.
    stopsMusic_ = false;
    Timer1 = new TTimer(this, 1000, false);
    Timer2 = new TTimer(this, 1000, false);
    connect(Timer1, &TTimer::OnTimer, this, &TArithDrillForm::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TArithDrillForm::Timer2Timer);
}

void TArithDrillForm::bindDrill() {
    auto label = [this](const char* name) { return child<QLabel>(name); };
    auto image = [this](const char* name) { return child<TImage>(name); };
    lbltopic_ = label("lbltopic");
    lblkey_ = label("lblkey");
    lblpd_ = label("lblpd");
    lbltotal_ = label("lbltotal");
    lblright_ = label("lblright");
    lblwrong_ = label("lblwrong");
    lbltime_ = label("lbltime");
    answers_ = {image("imga"), image("imgb"), image("imgc"), image("imgd")};
    labels_ = {label("lbla"), label("lblb"), label("lblc"), label("lbld")};
    rb1_ = child<TFlatRadioButton>("rb1");

    wirePictureButtons();
    // The numbers sit on their buttons and let the mouse through to them.
    for (QLabel* l : labels_) {
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->raise();
    }
    for (size_t i = 0; i < answers_.size(); ++i)
        connect(answers_[i], &TImage::OnClick, this, [this, i] { imgaClick(static_cast<int>(i)); });
    connect(image("imgnext"), &TImage::OnClick, this, &TArithDrillForm::imgnextClick);
    connect(image("imghelp"), &TImage::OnClick, this, &TArithDrillForm::imghelpClick);
    connect(image("imgfh"), &TImage::OnClick, this, &TArithDrillForm::imgfhClick);
    for (TFlatRadioButton* rb : findChildren<TFlatRadioButton*>())
        connect(rb, &TFlatRadioButton::OnClick, this, &TArithDrillForm::rangeClick);
}

void TArithDrillForm::FormShow() {
    round_.reset();
    Timer1->setEnabled(true);
    showTally();
    lbltime_->setText(QStringLiteral("0"));
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
    placeAnswerOverBlank(q);
    for (size_t i = 0; i < 4; ++i) {
        labels_[i]->setText(QString::number(q.answers.numbers[i]));
        // The hints show which answer is right; the round judges.
        answers_[i]->setHint(static_cast<int>(i) == q.answers.right ? QStringLiteral("1")
                                                                    : QStringLiteral("0"));
    }
    round_.ask(q.answers.right);
}

// The answer is drawn larger than the line, so padding it with blanks cannot put it
// over the blank: it is placed by measuring where the blank stands.
void TArithDrillForm::placeAnswerOverBlank(const math::DrillQuestion& q) {
    lbltopic_->ensurePolished();
    lblkey_->ensurePolished();
    const QFontMetrics line(lbltopic_->font());
    const int at = std::max(0, static_cast<int>(q.line.indexOf(math::kBlank)));
    const int left = lbltopic_->x() + (lbltopic_->width() - line.horizontalAdvance(q.line)) / 2;
    const int centre =
        left + line.horizontalAdvance(q.line.left(at)) + line.horizontalAdvance(math::kBlank) / 2;
    const QString answer = q.overlay.trimmed();
    const int width = QFontMetrics(lblkey_->font()).horizontalAdvance(answer) + 16;
    lblkey_->setGeometry(centre - width / 2, lblkey_->y(), width, lblkey_->height());
    lblkey_->setText(answer);
}

void TArithDrillForm::showTally() {
    common::showTally(round_.tally(), lbltotal_, lblright_, lblwrong_);
}

void TArithDrillForm::answered(common::Verdict verdict, bool withSound) {
    if (verdict == common::Verdict::Ignored)
        return;
    const bool right = verdict == common::Verdict::Right;
    showTally();
    lblkey_->show();
    lblpd_->setText(right ? QStringLiteral("√") : QStringLiteral("×"));
    if (withSound)
        playJudgement(right);
    lblpd_->show();
    Timer2->setEnabled(true);
}

void TArithDrillForm::imgaClick(int answer) {
    answered(round_.answer(answer), true);
}

void TArithDrillForm::imgnextClick() {
    // Going on without an answer counts as a wrong one, silently.
    answered(round_.judge(false), false);
}

void TArithDrillForm::Timer1Timer() {
    lbltime_->setText(QString::number(round_.tick()));
}

void TArithDrillForm::Timer2Timer() {
    Timer2->setEnabled(false);
    lblpd_->hide();
    NewQuestion();
}

void TArithDrillForm::rangeClick() {
    if (!settingRange_ && round_.open() && selectedMode() != questionMode_)
        NewQuestion();
}

void TArithDrillForm::imghelpClick() {
    openLazy(QStringLiteral("Tfrmkjb"));
}

void TArithDrillForm::imgfhClick() {
    close();
}
