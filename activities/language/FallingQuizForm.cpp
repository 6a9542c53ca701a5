#include "activities/language/FallingQuizForm.h"

#include "app/TImage.h"
#include "platform/MessageService.h"
#include "platform/Random.h"

TFallingQuizForm::TFallingQuizForm(const language::FallingLayout& layout, QWidget* parent)
    : TLanguageForm(parent), quiz_(layout) {
    Timer1 = new TTimer(this, layout.intervalMs, false);
    Timer2 = new TTimer(this, 1000, false);
    connect(Timer1, &TTimer::OnTimer, this, &TFallingQuizForm::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TFallingQuizForm::Timer2Timer);
}

void TFallingQuizForm::bindQuiz(const std::array<QWidget*, 4>& clicks,
                                const std::array<QWidget*, 4>& shown, const QString& readCaption) {
    setFixedSize(900, 675);
    clicks_ = clicks;
    shown_ = shown;
    readCaption_ = readCaption;
    for (int i = 0; i < 4; ++i)
        connect(clicks_[static_cast<size_t>(i)], SIGNAL(OnClick()), this, SLOT(answerSlot()));
    wirePictureButtons();
    connect(child<TImage>("imgplay"), &TImage::OnClick, this, &TFallingQuizForm::imgplayClick);
    connect(child<TImage>("imgstop"), &TImage::OnClick, this, &TFallingQuizForm::imgstopClick);
    connect(child<TImage>("imgread"), &TImage::OnClick, this, &TFallingQuizForm::imgreadClick);
    connect(child<TImage>("imgfh"), &TImage::OnClick, this, &QWidget::close);
}

void TFallingQuizForm::answerSlot() {
    for (int i = 0; i < 4; ++i)
        if (sender() == clicks_[static_cast<size_t>(i)])
            answerClick(i);
}

void TFallingQuizForm::setRunning(bool running) {
    // Idle shows the start button's first look and the stop button's latch; running the
    // other way round.
    for (const char* name : {"imgplay", "imgstop"}) {
        const bool play = name[3] == 'p';
        const int visible = (play == running) ? 4 : 1;
        for (int d = 1; d <= 4; ++d)
            if (auto* c = findChild<QWidget*>(QLatin1String(name) + QString::number(d)))
                c->setVisible(d == visible);
    }
}

void TFallingQuizForm::updateCounters() {
    child<QLabel>("lbltotal")->setText(QString::number(quiz_.total()));
    child<QLabel>("lblright")->setText(QString::number(quiz_.right()));
    child<QLabel>("lblwrong")->setText(QString::number(quiz_.wrong()));
}

void TFallingQuizForm::placeItems() {
    for (int i = 0; i < 4; ++i) {
        const QPoint at = quiz_.position(i);
        for (QWidget* w : {clicks_[static_cast<size_t>(i)], shown_[static_cast<size_t>(i)]})
            w->move(at);
    }
}

void TFallingQuizForm::resetQuiz() {
    quiz_.reset();
    updateCounters();
    setRunning(false);
    placeItems();
    for (int i = 0; i < 4; ++i) {
        clicks_[static_cast<size_t>(i)]->hide();
        shown_[static_cast<size_t>(i)]->hide();
    }
}

void TFallingQuizForm::stopQuiz() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    quiz_.stop();
}

void TFallingQuizForm::showQuestion() {
    placeItems();
    for (int i = 0; i < 4; ++i)
        setItemText(i, entryText(quiz_.entryOf(i)));
    questionShown();
    playSound(promptSound());
    for (int i = 0; i < 4; ++i) {
        shown_[static_cast<size_t>(i)]->show();
        clicks_[static_cast<size_t>(i)]->show();
        clicks_[static_cast<size_t>(i)]->raise();
    }
    Timer1->setEnabled(true);
}

void TFallingQuizForm::imgplayClick() {
    platform::rng().randomize();
    quiz_.start(platform::rng());
    showQuestion();
    setRunning(true);
}

void TFallingQuizForm::imgstopClick() {
    stopQuiz();
    setRunning(false);
}

void TFallingQuizForm::answerClick(int item) {
    const auto a = quiz_.answer(item, platform::rng());
    if (a == language::FallingQuiz::Answer::Ignored)
        return;
    setRunning(true);
    updateCounters();
    if (a == language::FallingQuiz::Answer::Right) {
        // The next prompt takes the shared stream at once, so the judgement goes to the
        // wave player beside it and both are heard.
        if (rightSoundPlays())
            playWave(QStringLiteral("DATA\\bgsnd\\right.WAV"));
        showQuestion();
        return;
    }
    playJudgement(false);
    for (int i = 0; i < 4; ++i)
        if (i != quiz_.answerItem()) {
            clicks_[static_cast<size_t>(i)]->hide();
            shown_[static_cast<size_t>(i)]->hide();
        }
    Timer1->setEnabled(false);
    Timer2->setEnabled(true);
}

void TFallingQuizForm::Timer1Timer() {
    switch (quiz_.step(platform::rng())) {
    case language::FallingQuiz::Fall::Moved:
        placeItems();
        return;
    case language::FallingQuiz::Fall::Bottom:
        updateCounters();
        showQuestion();
        return;
    case language::FallingQuiz::Fall::Stopped:
        Timer1->setEnabled(false);
        return;
    }
}

void TFallingQuizForm::Timer2Timer() {
    Timer2->setEnabled(false);
    quiz_.pauseOver(platform::rng());
    showQuestion();
}

void TFallingQuizForm::imgreadClick() {
    if (!canRepeat()) {
        platform::showMessage(this, QStringLiteral("请点击[开始]按钮,现在还没有开始呢!"),
                              readCaption_, platform::MB_ICONINFORMATION);
        return;
    }
    playSound(promptSound());
}

void TFallingQuizForm::pictureButtonDown(TImage* button) {
    const bool idle = quiz_.phase() == language::FallingQuiz::Phase::Idle;
    if ((button->objectName() == QLatin1String("imgstop") && idle) ||
        (button->objectName() == QLatin1String("imgplay") && !idle))
        return;
    TLanguageForm::pictureButtonDown(button);
}
