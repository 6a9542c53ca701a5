#include "activities/puzzles/UguessNumber.h"

#include "activities/puzzles/PuzzleDialogs.h"
#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "platform/MessageService.h"
#include "platform/Random.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <algorithm>

QPointer<TfrmguessNumber> frmguessNumber;
static RegisterForm<TfrmguessNumber> reg("TfrmguessNumber", frmguessNumber);

namespace {
const QString kCaption = QStringLiteral("《猜数字》游戏说明！");
const QString kDisplay = QStringLiteral("数字对应显示屏");

void info(const QString& text, const QString& caption) {
    platform::showMessage(nullptr, text, caption, platform::MB_ICONINFORMATION);
}
void sound(const char* file) {
    shell::playWave(QStringLiteral("Data\\bgsnd\\") + QLatin1String(file));
}
} // namespace

TfrmguessNumber::TfrmguessNumber(QWidget* parent)
    : TActivityForm(parent, Qt::Window | puzzles::kSystemMenuFrame) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, 500, false);
    Timer2 = new TTimer(this, 1000, false);
    connect(Timer1, &TTimer::OnTimer, this, &TfrmguessNumber::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &TfrmguessNumber::Timer2Timer);
    wirePictureButtons();
    const std::array<TImage*, 10> digits = {imgzero, imgone, imgtwo,   imgthree, imgfour,
                                            imgfive, imgsix, imgseven, imgeight, imgnine};
    for (int d = 0; d < 10; ++d)
        connect(digits[static_cast<size_t>(d)], &TImage::OnClick, this,
                [this, d] { imgoneClick(d); });
    const std::array<TImage*, 4> boxes = {imgnumA, imgnumB, imgnumC, imgnumD};
    for (int p = 1; p <= 4; ++p) {
        connect(boxes[static_cast<size_t>(p - 1)], &TImage::OnClick, this,
                [this, p] { imgnumAClick(p); });
        box(p)->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    shpshow->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(imgbegin, &TImage::OnClick, this, &TfrmguessNumber::imgbeginClick);
    connect(imgclear, &TImage::OnClick, this, &TfrmguessNumber::imgclearClick);
    connect(imgok, &TImage::OnClick, this, &TfrmguessNumber::imgokClick);
    connect(imgkey, &TImage::OnClick, this, &TfrmguessNumber::imgkeyClick);
    connect(imggz, &TImage::OnClick, this, &TfrmguessNumber::imggzClick);
    connect(imgexit, &TImage::OnClick, this, &QWidget::close);
    connect(cmbmove, &TFlatCheckBox::OnClick, this,
            [this] { game_.setAutoAdvance(cmbmove->Checked()); });
    // The window sees the keys before its controls.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
}

QLabel* TfrmguessNumber::box(int pos) const {
    const std::array<QLabel*, 4> labels = {lbla, lblb, lblc, lbld};
    return labels[static_cast<size_t>(pos - 1)];
}

void TfrmguessNumber::FormShow() {
    shpshow->hide();
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    cmbshow->Items().Clear();
    lbltime->clear();
    lblkeyinfo->setText(kDisplay);
    lblkey->clear();
    game_ = puzzles::GuessGame();
    game_.setAutoAdvance(cmbmove->Checked());
    showBoxes();
    imgbeginClick();
}

void TfrmguessNumber::imgbeginClick() {
    if (game_.running() &&
        platform::showMessage(this, QStringLiteral("你真的想取消当前的游戏并重启开始吗？"),
                              QStringLiteral("重新来一局？"),
                              platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES)
        return;
    platform::rng().randomize();
    game_.newGame(platform::rng());
    cmbshow->Items().Clear();
    lblkeyinfo->setText(kDisplay);
    lblkey->clear();
    lbltime->setText(game_.timeText());
    showBoxes();
    shpshow->show();
    Timer2->setEnabled(true);
    Timer1->setEnabled(true);
}

void TfrmguessNumber::showBoxes() {
    for (int p = 1; p <= 4; ++p)
        box(p)->setText(game_.box(p) < 0 ? QString() : QString::number(game_.box(p)));
    if (game_.cursor() > 0)
        shpshow->move(box(game_.cursor())->x() + 6, shpshow->y());
}

void TfrmguessNumber::imgoneClick(int digit) {
    if (game_.enterDigit(digit))
        showBoxes();
}

void TfrmguessNumber::imgnumAClick(int pos) {
    game_.selectBox(pos);
    showBoxes();
}

void TfrmguessNumber::imgclearClick() {
    game_.clearBoxes();
    showBoxes();
}

void TfrmguessNumber::imgokClick() {
    handle(game_.submit());
}

void TfrmguessNumber::handle(puzzles::GuessGame::Submit outcome) {
    using S = puzzles::GuessGame::Submit;
    showBoxes();
    switch (outcome) {
    case S::Ignored:
        return;
    case S::EmptyBox:
        info(QStringLiteral("请将所有的数字填写完毕后再点击“确定”按钮！"), kCaption);
        return;
    case S::Repeated:
        info(QStringLiteral("你填写的数字不能重复！"), kCaption);
        return;
    default:
        break;
    }
    const int newest = cmbshow->Items().Add(game_.history().back());
    cmbshow->SetSelected(newest, true);
    // The newest guess is always in view: the list's top row follows it down.
    cmbshow->SetTopIndex(std::max(0, newest + 1 - cmbshow->VisibleRows()));
    if (outcome == S::Won) {
        showWin();
        info(QStringLiteral("你真棒！在这么短的时间内就猜出这么难的数字，太厉害了！\r若继续努力，"
                            "一定会有更大的进步！"),
             QStringLiteral("恭喜你猜出结果！"));
    } else if (outcome == S::Wrong) {
        lblkeyinfo->setText(QStringLiteral("猜错了,加油噢!本次结果："));
        lblkey->setText(game_.boxText() +
                        QStringLiteral("（%1A%2B）").arg(game_.last().a).arg(game_.last().b));
        sound("wrong.WAV");
    } else {
        info(QStringLiteral("你在本次猜数字游戏中，猜的次数已经达到16次，但还未猜出，要努力噢！"),
             QStringLiteral("《猜数字》游戏次数到！"));
        showAnswerUnsolved(false);
    }
}

void TfrmguessNumber::endDisplay() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    shpshow->hide();
}

void TfrmguessNumber::showWin() {
    endDisplay();
    lblkeyinfo->setText(QStringLiteral("太棒了，你猜对了！答案是："));
    lblkey->setText(game_.secretText());
    sound("100down.WAV");
}

void TfrmguessNumber::showAnswerUnsolved(bool message) {
    endDisplay();
    lblkeyinfo->setText(QStringLiteral("这次猜错了,加油噢，答案应该是："));
    lblkey->setText(game_.secretText());
    sound("jiayou.WAV");
    if (message)
        platform::showMessage(nullptr,
                              QStringLiteral("小朋友，猜错了啊～，其实你可以多猜几遍的！\r若继续"
                                             "努力，相信你一定会猜出结果的！"),
                              QStringLiteral("没猜对噢！"), platform::MB_ICONINFORMATION);
}

void TfrmguessNumber::imgkeyClick() {
    if (!game_.running()) {
        info(QStringLiteral("请点击“开始”按钮，正式计时开始！"), kCaption);
        return;
    }
    const auto guesses = game_.history().size();
    if (guesses < puzzles::GuessGame::kMaxGuesses &&
        platform::showMessage(
            this,
            QStringLiteral("当前正在游戏中，你本轮数字猜的次数还不到16次，真的要查看答案吗？"),
            QStringLiteral("查看答案？"),
            platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES)
        return;
    if (game_.showAnswer() == puzzles::GuessGame::Answer::Solved) {
        showWin();
        info(QStringLiteral("你真棒！在这么短的时间内就猜出这么难的数字，太厉害了！\r若继续努力，"
                            "一定会有更大的进步！"),
             QStringLiteral("恭喜你猜出结果！"));
    } else {
        showAnswerUnsolved(guesses < 15);
    }
}

void TfrmguessNumber::Timer2Timer() {
    using T = puzzles::GuessGame::Tick;
    const T outcome = game_.tick();
    lbltime->setText(game_.timeText());
    if (outcome == T::TimeUpSolved) {
        showWin();
        info(QStringLiteral("20分钟的游戏时间已经到了！\r在20分钟之内你成功猜出，不过还需要努力，"
                            "以便在更短的时间内将数字猜出！"),
             QStringLiteral("《数字游戏－猜数字》游戏时间到！"));
    } else if (outcome == T::TimeUpUnsolved) {
        endDisplay();
        lblkeyinfo->setText(QStringLiteral("你猜错了,加油噢，答案应该是："));
        lblkey->setText(game_.secretText());
        sound("jiayou.WAV");
        info(QStringLiteral("游戏时间已经到了！\r在20分钟之内你没有猜出，还要加油噢！"),
             QStringLiteral("《猜数字》游戏时间到！"));
    }
}

void TfrmguessNumber::Timer1Timer() {
    shpshow->setVisible(!shpshow->isVisible());
}

void TfrmguessNumber::FormKeyPress(QKeyEvent* e) {
    if (!game_.running())
        return;
    const QString text = e->text();
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        handle(game_.enterKey());
        return;
    }
    if (text.size() == 1 && text[0].isDigit() && text[0].unicode() < 128)
        imgoneClick(text[0].digitValue());
    cmbshow->setFocus();
}

bool TfrmguessNumber::keyFirst(QObject* receiver, QKeyEvent* e) {
    FormKeyPress(e);
    // After the window, the scroll keys reach the history list when it has the focus, as
    // they would reach any focused control; every other key stops at the window.
    static const int scrollKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
    if (focusWidget() != cmbshow ||
        std::find(std::begin(scrollKeys), std::end(scrollKeys), e->key()) == std::end(scrollKeys))
        return true;
    if (receiver == cmbshow)
        return false;
    const QScopedValueRollback passing(passingKey_, true);
    QCoreApplication::sendEvent(cmbshow, e);
    return true;
}

void TfrmguessNumber::keyPressEvent(QKeyEvent* e) {
    keyFirst(this, e);
}

bool TfrmguessNumber::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !passingKey_)
        return keyFirst(watched, static_cast<QKeyEvent*>(event));
    return TActivityForm::eventFilter(watched, event);
}

void TfrmguessNumber::imggzClick() {
    const QStringList lines = {
        QStringLiteral("　　　　　　《猜数字》"),
        QStringLiteral("１、在上面4个按钮上分别输入0～9数字，并且4个数字各不相同。"),
        QStringLiteral("２、输入完后，点击“确定”按钮（或按回车键），查看猜的结果。"),
        QStringLiteral("３、结果中显示“mAnB”形式，其中m表示数字正确且在正确位置上的数字个数"),
        QStringLiteral("　　n表示数字正确但不在正确位置上的数字个数。"),
        QStringLiteral("４、若在20分钟内或16次猜测中没能猜出正确结果，你就输了。"),
        QStringLiteral(
            "５、在20分钟内，并且猜的次数少于16次，能猜出结果（数字顺序一致），你就赢了。"),
        QStringLiteral(
            "６、在猜测过程中，你如果点查看答案，将直接结束游戏，给出游戏中的数字答案！"),
        QStringLiteral("７、本游戏可充分锻炼小朋友的思考能力和综合分析能力。"),
    };
    info(lines.join(QLatin1Char('\r')), kCaption);
}

TForm::CloseAction TfrmguessNumber::FormClose() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    return CloseAction::Hide;
}

QStringList TfrmguessNumber::dataPaths() {
    return {QStringLiteral("Data\\bgsnd\\100down.WAV"), QStringLiteral("Data\\bgsnd\\wrong.WAV"),
            QStringLiteral("Data\\bgsnd\\jiayou.WAV")};
}
