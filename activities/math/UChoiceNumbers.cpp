#include "activities/math/UChoiceNumbers.h"

#include "activities/math/ReadNumbersRules.h"
#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"

#include <QMouseEvent>
#include <QWindow>

QPointer<TFrmChoiceNumbers> FrmChoiceNumbers;
static RegisterForm<TFrmChoiceNumbers> reg("TFrmChoiceNumbers", FrmChoiceNumbers);

TFrmChoiceNumbers::TFrmChoiceNumbers(QWidget* parent)
    : TActivityForm(parent, Qt::Window | Qt::FramelessWindowHint) {
    setupUi(this);
    setFixedSize(900, 675);
    // The learning window keeps the music off while the practice is open.
    stopsMusic_ = false;
    Timer1 = new TTimer(this, 1000, false);
    Timer2 = new TTimer(this, 1000, false);
    connect(Timer1, &TTimer::OnTimer, this, &TFrmChoiceNumbers::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TFrmChoiceNumbers::Timer2Timer);

    wirePictureButtons();
    for (QLabel* l : {lbla, lblb, lblc, lbld, lbljudge, lbltime, Label2}) {
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->raise();
    }
    const std::array<TImage*, 4> answers = {imga, imgb, imgc, imgd};
    for (size_t i = 0; i < answers.size(); ++i)
        connect(answers[i], &TImage::OnClick, this, [this, i] { imgaClick(static_cast<int>(i)); });
    connect(imgAnswer, &TImage::OnClick, this, &TFrmChoiceNumbers::imgAnswerClick);
    connect(imgPrior, &TImage::OnClick, this, &TFrmChoiceNumbers::imgPriorClick);
    connect(imgNext, &TImage::OnClick, this, &TFrmChoiceNumbers::imgNextClick);
    connect(imgclose, &TImage::OnClick, this, &TFrmChoiceNumbers::imgcloseClick);
    Label1->installEventFilter(this);
    swallowed([this] { pack_ = platform::ContentPack::load(QStringLiteral("pic")); });
}

TFrmChoiceNumbers::~TFrmChoiceNumbers() = default;

void TFrmChoiceNumbers::FormShow() {
    platform::rng().randomize();
    practice_.start(platform::rng());
    lbltime->setText(QString());
    Timer2->setTag(0);
    cmbnumber->setCurrentIndex(0);
    NewQuestion();
    Timer2->setEnabled(true);
}

TForm::CloseAction TFrmChoiceNumbers::FormClose() {
    Timer2->setEnabled(false);
    Timer1->setEnabled(false);
    return CloseAction::Hide;
}

void TFrmChoiceNumbers::NewQuestion() {
    cmbnumber->setCurrentIndex(practice_.index());
    const int k = practice_.asked();
    candidates_ = math::makeCandidates(platform::rng(), k);
    const std::array<int, 4>& c = candidates_;
    imgpicnum->clearPicture();
    if (pack_) {
        QPixmap picture;
        swallowed([&] {
            picture.loadFromData(pack_->read(math::numberPictureName(k), QStringLiteral("JPG")),
                                 "JPG");
        });
        imgpicnum->setPicture(picture);
    }
    const std::array<QLabel*, 4> labels = {lbla, lblb, lblc, lbld};
    const std::array<TImage*, 4> buttons = {imga, imgb, imgc, imgd};
    for (size_t i = 0; i < 4; ++i) {
        labels[i]->setText(QString::number(c[i]));
        buttons[i]->setHint(labels[i]->text());
    }
}

namespace {
// The sign's place and size in the layout.
constexpr int kJudgeLeft = 824;
constexpr QSize kJudgeSize(76, 110);
} // namespace

void TFrmChoiceNumbers::showSign(const QString& sign, int top, const QString& judged) {
    // The next question is already shown beside the sign, so a judged pick names its number
    // under the sign: the sign is read as the verdict on that number, not on the new choice.
    lbljudge->setText(judged.isEmpty() ? sign
                                       : QStringLiteral("<div style=\"line-height:80%\">%1</div>"
                                                        "<div style=\"font-size:30px\">%2</div>")
                                             .arg(sign.trimmed(), judged.toHtmlEscaped()));
    // The sign with the number under it is taller than the sign alone: the label grows to
    // hold both, and stays inside the window.
    const QSize need = lbljudge->sizeHint().expandedTo(kJudgeSize);
    lbljudge->setGeometry(std::min(kJudgeLeft, width() - need.width()), top, need.width(),
                          need.height());
    lbljudge->show();
    Timer1->setEnabled(true);
}

void TFrmChoiceNumbers::imgaClick(int index) {
    if (index < 0 || index > 3)
        return;
    TImage* answer = std::array<TImage*, 4>{imga, imgb, imgc, imgd}[static_cast<size_t>(index)];
    const bool right = candidates_[static_cast<size_t>(index)] == asked();
    playWave(right ? QStringLiteral("DATA\\bgsnd\\right.wav")
                   : QStringLiteral("DATA\\bgsnd\\wrong.wav"));
    showSign(right ? QStringLiteral("√ ") : QStringLiteral("× "), answer->y() - 11,
             QString::number(candidates_[static_cast<size_t>(index)]));
    // The next question at once; the sign stays until its timer hides it.
    practice_.next(platform::rng());
    NewQuestion();
}

void TFrmChoiceNumbers::imgAnswerClick() {
    for (QLabel* l : {lbla, lblb, lblc, lbld}) {
        if (l->text() == QString::number(asked())) {
            showSign(QStringLiteral("√ "), l->y() - 20);
            return;
        }
    }
}

void TFrmChoiceNumbers::imgNextClick() {
    lbljudge->hide();
    practice_.next(platform::rng());
    NewQuestion();
}

void TFrmChoiceNumbers::imgPriorClick() {
    lbljudge->hide();
    if (!practice_.prior()) {
        platform::showMessage(this, QStringLiteral("当前是第1题！"),
                              QStringLiteral("学数字练习说明！"), platform::MB_ICONINFORMATION);
        return;
    }
    NewQuestion();
}

void TFrmChoiceNumbers::cmbnumberChange() {
    lbljudge->hide();
    NewQuestion();
}

void TFrmChoiceNumbers::Timer1Timer() {
    Timer1->setEnabled(false);
    lbljudge->hide();
}

void TFrmChoiceNumbers::Timer2Timer() {
    Timer2->setTag(Timer2->Tag() + 1);
    lbltime->setText(math::practiceClockText(Timer2->Tag()));
}

void TFrmChoiceNumbers::imgcloseClick() {
    close();
}

bool TFrmChoiceNumbers::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Label1)
        return TActivityForm::eventFilter(watched, event);
    // The strip across the top moves the window: by the window manager where it can,
    // else by following the mouse.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (me->button() == Qt::LeftButton) {
            QWindow* win = windowHandle();
            dragging_ = !(win && win->startSystemMove());
            dragOffset_ = me->globalPosition().toPoint() - pos();
        }
        return true;
    case QEvent::MouseMove:
        if (dragging_)
            move(me->globalPosition().toPoint() - dragOffset_);
        return true;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        return true;
    default:
        return false;
    }
}

QStringList TFrmChoiceNumbers::dataPaths() {
    QStringList paths = {QStringLiteral("DATA\\bgsnd\\right.wav"),
                         QStringLiteral("DATA\\bgsnd\\wrong.wav")};
    for (int n = 1; n <= math::kPracticeCount; ++n)
        paths << packItemPath(QStringLiteral("pic"), QStringLiteral("JPG"),
                              math::numberPictureName(n));
    return paths;
}
