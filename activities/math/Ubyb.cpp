#include "activities/math/Ubyb.h"

#include "activities/common/TallyView.h"
#include "app/FormRegistry.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"

#include <QMouseEvent>

#include <algorithm>

QPointer<Tfrmbyb> frmbyb;
static RegisterForm<Tfrmbyb> reg("Tfrmbyb", frmbyb);

Tfrmbyb::Tfrmbyb(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    stopsMusic_ = false;
    Timer1 = new TTimer(this, 1000, false);
    Timer2 = new TTimer(this, 1000, true);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmbyb::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &Tfrmbyb::Timer2Timer);
    cards_ = {pnl1, pnl2, pnl3, pnl4};
    pics_ = {pic1, pic2, pic3, pic4};
    labels_ = {Label1, Label2, Label3, Label4};
    grips_ = {spic1, spic2, spic3, spic4};
    for (TShape* g : grips_) {
        g->installEventFilter(this);
        g->raise();
    }
    wirePictureButtons();
    connect(imgok, &TImage::OnClick, this, &Tfrmbyb::imgokClick);
    connect(imgnext, &TImage::OnClick, this, &Tfrmbyb::imgnextClick);
    connect(imgfh, &TImage::OnClick, this, &Tfrmbyb::imgfhClick);
}

void Tfrmbyb::FormShow() {
    round_.reset();
    common::showTally(round_.tally(), lblcount, lblright, lblwrong);
    NewQuestion();
}

TForm::CloseAction Tfrmbyb::FormClose() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    return CloseAction::Hide;
}

void Tfrmbyb::placeCards() {
    for (int k = 0; k < 4; ++k) {
        cards_[static_cast<size_t>(k)]->move(board_.pos(k));
        // The frame shows while a card stands in a slot.
        grips_[static_cast<size_t>(k)]->setPenClear(!board_.inSlot(k));
    }
}

void Tfrmbyb::NewQuestion() {
    platform::rng().randomize();
    round_.restartClock();
    lbltime->setText(QStringLiteral("0"));
    Timer2->setEnabled(false);
    Timer2->setEnabled(true);
    imgjudge->hide();
    dragging_ = -1;
    for (size_t k = 0; k < 4; ++k) {
        pics_[k]->clearPicture();
        labels_[k]->setText(QString());
    }
    question_ = math::makeCompareQuestion(platform::rng());
    round_.ask();
    board_.arrange(question_.arrangement);
    placeCards();

    const math::CompareKindInfo& kind = math::compareKind(question_.kind);
    lblzc->setText(kind.most);
    lblyc->setText(kind.least);
    lbltopic->setText(kind.topic);
    if (question_.kind == math::CompareKind::Count) {
        const QString symbol = math::compareSymbols()[static_cast<size_t>(question_.symbol)];
        // Three rows of the card's type at its own line spacing overrun the card: the rows
        // are set closer so the top and bottom symbols stay whole.
        for (int k = 0; k < 4; ++k)
            labels_[static_cast<size_t>(k)]->setText(
                QStringLiteral("<div style=\"line-height:72%\">%1</div>")
                    .arg(math::symbolRows(symbol, question_.set, k)
                             .toHtmlEscaped()
                             .replace(QLatin1Char('\r'), QStringLiteral("<br>"))));
        return;
    }
    QPixmap picture;
    picture.load(platform::dataPath(math::comparePicturePath(question_.kind, question_.picture)));
    for (int k = 0; k < 4; ++k) {
        pics_[static_cast<size_t>(k)]->setPicture(picture);
        pics_[static_cast<size_t>(k)]->setGeometry(math::cardPictureRect(question_.kind, k));
    }
}

bool Tfrmbyb::pickUp(int card) {
    // Nothing moves while the verdict shows.
    if (Timer1->Enabled() || !board_.pickable(card))
        return false;
    dragging_ = card;
    grips_[static_cast<size_t>(card)]->setPenClear(false);
    cards_[static_cast<size_t>(card)]->raise();
    return true;
}

void Tfrmbyb::dragTo(int card, QPoint topLeft) {
    if (card == dragging_)
        cards_[static_cast<size_t>(card)]->move(topLeft);
}

void Tfrmbyb::letGo(int card) {
    if (card != dragging_)
        return;
    dragging_ = -1;
    board_.drop(card, cards_[static_cast<size_t>(card)]->pos());
    placeCards();
}

void Tfrmbyb::imgokClick() {
    const common::Verdict verdict = round_.judge(board_.ordered());
    if (verdict == common::Verdict::Ignored)
        return;
    const bool right = verdict == common::Verdict::Right;
    common::showTally(round_.tally(), lblcount, lblright, lblwrong);
    imgjudge->setPicture(judgementPicture(right));
    imgjudge->show();
    playJudgement(right);
    Timer1->setEnabled(true);
}

void Tfrmbyb::imgnextClick() {
    if (!Timer1->Enabled())
        NewQuestion();
}

void Tfrmbyb::Timer1Timer() {
    Timer1->setEnabled(false);
    NewQuestion();
}

void Tfrmbyb::Timer2Timer() {
    lbltime->setText(QString::number(round_.tick()));
}

void Tfrmbyb::imgfhClick() {
    close();
}

bool Tfrmbyb::eventFilter(QObject* watched, QEvent* event) {
    const auto it = std::find(grips_.begin(), grips_.end(), watched);
    if (it == grips_.end())
        return TActivityForm::eventFilter(watched, event);
    const int k = static_cast<int>(it - grips_.begin());
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (me->button() == Qt::LeftButton && pickUp(k))
            grabOffset_ = me->globalPosition().toPoint() - card(k)->pos();
        return true;
    case QEvent::MouseMove:
        dragTo(k, me->globalPosition().toPoint() - grabOffset_);
        return true;
    case QEvent::MouseButtonRelease:
        if (me->button() == Qt::LeftButton)
            letGo(k);
        return true;
    default:
        return false;
    }
}

QStringList Tfrmbyb::dataPaths() {
    QStringList paths = {QStringLiteral("DATA\\bgsnd\\right.WAV"),
                         QStringLiteral("DATA\\bgsnd\\wrong.WAV")};
    for (int k = 0; k <= static_cast<int>(math::CompareKind::Long); ++k) {
        const auto kind = static_cast<math::CompareKind>(k);
        for (int n = 1; n <= math::compareKind(kind).pictures; ++n)
            paths << math::comparePicturePath(kind, n);
    }
    return paths;
}
