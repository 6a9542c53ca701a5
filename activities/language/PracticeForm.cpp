#include "activities/language/PracticeForm.h"

#include "app/TImage.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "widgets/FlatButtons.h"
#include "widgets/GradientLabel.h"
#include "widgets/TFlatRadioButtonUnit.h"

TPicturePracticeForm::TPicturePracticeForm(const language::PracticeLayout& layout,
                                           const std::vector<language::WordRow>& words,
                                           QWidget* parent)
    : TLanguageForm(parent), practice_(std::make_unique<language::PicturePractice>(layout, words)) {
    Timer1 = new TTimer(this, 10, false);
    Timer2 = new TTimer(this, 300, false);
    connect(Timer1, &TTimer::OnTimer, this, &TPicturePracticeForm::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TPicturePracticeForm::Timer2Timer);
}

void TPicturePracticeForm::bindPractice(const QStringList& pictureNames, TColor barColour,
                                        int barSteps) {
    setFixedSize(900, 675);
    for (int i = 0; i < pictureNames.size(); ++i) {
        auto* p = findChild<TImage*>(pictureNames[i]);
        pictures_.push_back(p);
        connect(p, &TImage::OnMouseMove, this, [this, i] { pictureMouseMove(i); });
        connect(p, &TImage::OnClick, this, [this, i] { pictureClick(i); });
        // The press effect: picture and bars one pixel right and down.
        for (auto [signal, d] : {std::pair{&TImage::OnMouseDown, 1}, {&TImage::OnMouseUp, -1}})
            connect(p, signal, this, [this, p, d] {
                for (QWidget* w : {static_cast<QWidget*>(p), static_cast<QWidget*>(lbltop_),
                                   static_cast<QWidget*>(lblbot_)})
                    w->move(w->pos() + QPoint(d, d));
            });
    }
    lbltop_ = child<TGradientLabel>("lbltop");
    lblbot_ = child<TGradientLabel>("lblbot");
    for (TGradientLabel* bar : {lbltop_, lblbot_}) {
        bar->Gradient()->SetStartColor(clWhite);
        bar->Gradient()->SetEndColor(barColour);
        bar->Gradient()->SetColorSteps(barSteps);
        bar->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    lblright_ = child<QLabel>("lblright");
    lblright_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblkey_ = child<QLabel>("lblkey");
    counters_[0] = child<QLabel>("lblcount");
    counters_[1] = child<QLabel>("lbldui");
    counters_[2] = child<QLabel>("lblwrong");
    rbchinese_ = child<TFlatRadioButton>("rbchinese");
    rbenglish_ = child<TFlatRadioButton>("rbenglish");
    for (TFlatRadioButton* rb : {rbchinese_, rbenglish_})
        connect(rb, &TFlatRadioButton::OnClick, this, &TPicturePracticeForm::btnsentence1Click);
    connect(child<TFlatButton>("btnsentence1"), &TFlatButton::OnClick, this,
            &TPicturePracticeForm::btnsentence1Click);
    if (auto* key = qobject_cast<TClickLabel*>(lblkey_))
        connect(key, &TClickLabel::OnClick, this, &TPicturePracticeForm::btnsentence1Click);
    connect(child<TImage>("imgbg"), &TImage::OnMouseMove, this,
            &TPicturePracticeForm::imgbgMouseMove);
    wirePictureButtons();
    connect(child<TImage>("imgfh"), &TImage::OnClick, this, &QWidget::close);
}

void TPicturePracticeForm::startPractice(bool englishVoice) {
    for (QLabel* c : counters_)
        c->setText(QStringLiteral("0"));
    lbltop_->hide();
    lblbot_->hide();
    (englishVoice ? rbenglish_ : rbchinese_)->SetChecked(true);
    platform::rng().randomize();
    practice_->restart(platform::rng());
    showQuestion();
}

void TPicturePracticeForm::stopPractice() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    lblright_->hide();
}

void TPicturePracticeForm::resetPicture(int slot) {
    const language::PracticeLayout& l = practice_->layout();
    pictures_[static_cast<size_t>(slot)]->setGeometry(
        QRect(l.at[static_cast<size_t>(slot)], l.size));
}

void TPicturePracticeForm::NewQuestion() {
    platform::rng().randomize();
    practice_->newQuestion(platform::rng());
    showQuestion();
}

void TPicturePracticeForm::showQuestion() {
    asked_ = true;
    for (int s = 0; s < static_cast<int>(pictures_.size()); ++s) {
        TImage* p = pictures_[static_cast<size_t>(s)];
        if (practice_->layout().pictures == 16)
            resetPicture(s);
        // A missing picture leaves the slot empty; the question is still complete.
        if (!p->loadFromFile(platform::dataPath(language::picturePath(practice_->pictureName(s)))))
            p->clearPicture();
        p->setHint(s == practice_->rightSlot() ? practice_->pictureName(s) : QString());
        p->setProperty("Tag", practice_->rows()[static_cast<size_t>(s)]);
    }
    lblkey_->setText(practice_->asked().name());
    saySoon();
}

void TPicturePracticeForm::saySoon() {
    if (!asked_)
        return;
    const language::WordRow& asked = practice_->asked();
    playSound(language::soundPath(rbchinese_->Checked() ? asked.name() : asked.word()));
}

void TPicturePracticeForm::btnsentence1Click() {
    saySoon();
}

void TPicturePracticeForm::pictureMouseMove(int slot) {
    hover_ = slot;
    const language::PracticeLayout& l = practice_->layout();
    const language::BarPlace bars = language::barsFor(l, slot);
    lbltop_->move(bars.top);
    lblbot_->move(bars.bottom);
    if (l.pictures == 4)
        for (int s = 0; s < 4; ++s)
            if (s != slot)
                resetPicture(s);
    lbltop_->show();
    lblbot_->show();
    lbltop_->raise();
    lblbot_->raise();
    pictures_[static_cast<size_t>(slot)]->raise();
    Timer1->setEnabled(true);
}

void TPicturePracticeForm::imgbgMouseMove() {
    Timer1->setEnabled(false);
    for (int s = 0; s < static_cast<int>(pictures_.size()); ++s)
        resetPicture(s);
    lbltop_->hide();
    lblbot_->hide();
}

void TPicturePracticeForm::Timer1Timer() {
    if (hover_ < 0)
        return;
    TImage* p = pictures_[static_cast<size_t>(hover_)];
    QRect r = p->geometry();
    if (!language::growStep(r, lbltop_->y() + practice_->layout().growOffset)) {
        Timer1->setEnabled(false);
        return;
    }
    p->setGeometry(r);
}

void TPicturePracticeForm::pictureClick(int slot) {
    const language::PicturePractice::Answer a = practice_->click(slot);
    if (a == language::PicturePractice::Answer::Ignored)
        return;
    const bool right = a == language::PicturePractice::Answer::Right;
    // The sign's box fits its text, so that it starts where the window places it.
    lblright_->setText(right ? QStringLiteral("√") : QStringLiteral("×"));
    lblright_->adjustSize();
    lblright_->move(
        language::signPlace(practice_->layout(), language::barsFor(practice_->layout(), slot)));
    counters_[0]->setText(QString::number(practice_->answered()));
    counters_[1]->setText(QString::number(practice_->right()));
    counters_[2]->setText(QString::number(practice_->wrong()));
    playJudgement(right);
    lblright_->show();
    lblright_->raise();
    Timer2->setTag(0);
    Timer2->setEnabled(true);
}

void TPicturePracticeForm::Timer2Timer() {
    Timer2->setTag(Timer2->Tag() + 1);
    if (!practice_->pauseTick())
        return;
    Timer2->setEnabled(false);
    Timer2->setTag(0);
    NewQuestion();
    lblright_->hide();
}
