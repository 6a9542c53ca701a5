#include "activities/language/UDDP.h"

#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "widgets/FlatButtons.h"

QPointer<Tfrmddp> frmddp;
static RegisterForm<Tfrmddp> reg("Tfrmddp", frmddp);

namespace {
const QString kCaption = QStringLiteral("《对对踫》！");
constexpr TColor kBlue{0x00FF0000}, kRed{0x000000FF}, kYellow{0x0000FFFF};
} // namespace

Tfrmddp::Tfrmddp(QWidget* parent) : TLanguageForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    stopsMusic_ = false;
    returnsToOpener_ = false;
    Timer1 = new TTimer(this, 1000, false);
    Timer2 = new TTimer(this, 500, false);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmddp::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &Tfrmddp::Timer2Timer);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(24);
    font.setBold(true);
    for (int k = 1; k <= language::WordPairGame::kCards; ++k) {
        auto* c = new TFlatButton(pnlmain);
        c->setObjectName(QStringLiteral("btn%1").arg(k));
        c->setGeometry(QRect(language::WordPairGame::homePlace(k), QSize(173, 70)));
        c->setFont(font);
        c->SetColor(TColor{0x0024D1DB});
        c->SetColorBorder(kYellow);
        c->SetFontColor(kBlue);
        c->hide();
        connect(c, &TFlatButton::OnClick, this, [this, k] { btn9Click(k); });
        cards_[static_cast<size_t>(k - 1)] = c;
    }
    wirePictureButtons();
    connect(imgnext, &TImage::OnClick, this, &Tfrmddp::imgnextClick);
    connect(imggz, &TImage::OnClick, this, &Tfrmddp::imggzClick);
    connect(imgts, &TImage::OnClick, this, &Tfrmddp::imgtsClick);
    connect(imgexit, &TImage::OnClick, this, &QWidget::close);
    lbltime->setText(QStringLiteral("00:00"));
}

void Tfrmddp::loadBackground() {
    imgbg->loadFromFile(platform::dataPath(QStringLiteral("Data\\picture\\ddp\\") +
                                           QString::number(platform::rng().random(1, 18)) +
                                           QStringLiteral(".jpg")));
}

void Tfrmddp::FormShow() {
    // A game left by closing does not carry over: no board, full life, clock at zero.
    game_ = language::WordPairGame();
    pnlmain->hide();
    loadBackground();
    imgbg->show();
    lbltime->setText(QStringLiteral("00:00"));
    imgstate->resize(language::WordPairGame::kFullLife, imgstate->height());
    lblper->setText(QStringLiteral("100%"));
}

void Tfrmddp::showLife() {
    imgstate->resize(game_.life(), imgstate->height());
    lblper->setText(QString::number(game_.lifePercent()) + QLatin1Char('%'));
}

void Tfrmddp::imgnextClick() {
    imgbg->hide();
    playSound(QStringLiteral("DATA\\bgsnd\\right.WAV"));
    pnlmain->hide();
    Timer2->setEnabled(false);
    NewBoard();
    loadBackground();
    Timer1->setTag(0);
    Timer1->setEnabled(true);
}

void Tfrmddp::NewBoard() {
    platform::rng().randomize();
    game_.start(platform::rng());
    showLife();
    lbltime->setText(game_.clockText());
    for (int k = 1; k <= language::WordPairGame::kCards; ++k) {
        TFlatButton* c = card(k);
        c->move(game_.place(k));
        c->SetCaption(game_.text(k));
        c->SetFontColor(kBlue);
        c->SetColorBorder(kYellow);
        c->show();
    }
    pnlmain->show();
}

void Tfrmddp::btn9Click(int k) {
    int previous = 0;
    switch (game_.click(k, &previous)) {
    case language::WordPairGame::Click::Ignored:
        return;
    case language::WordPairGame::Click::Deselected:
        card(k)->SetFontColor(kBlue);
        shell::playClick();
        return;
    case language::WordPairGame::Click::Selected:
        card(k)->SetFontColor(kRed);
        shell::playClick();
        return;
    case language::WordPairGame::Click::Removed:
    case language::WordPairGame::Click::Won:
        for (int c : {k, previous}) {
            card(c)->SetColorBorder(kYellow);
            card(c)->SetFontColor(kBlue);
            card(c)->hide();
        }
        playSound(QStringLiteral("DATA\\bgsnd\\right.WAV"));
        if (game_.phase() == language::WordPairGame::Phase::Won) {
            Timer1->setEnabled(false);
            platform::showMessage(
                this,
                QStringLiteral("小朋友，你好棒噢！\r你已经顺利通过本次测试，点击\"开始\"按钮可以"
                               "继续本游戏，点击\"返回\"按钮，将退出。"),
                QStringLiteral("[对对踫]游戏说明！"), platform::MB_ICONINFORMATION);
        }
        return;
    case language::WordPairGame::Click::Mismatch:
        card(previous)->SetFontColor(kBlue);
        playSound(QStringLiteral("DATA\\bgsnd\\wrong.WAV"));
        showLife();
        return;
    case language::WordPairGame::Click::LifeOut:
        card(previous)->SetFontColor(kBlue);
        playSound(QStringLiteral("DATA\\bgsnd\\wrong.WAV"));
        lifeOut(QStringLiteral("小朋友，你在本次游戏中生命值耗尽，要加油噢！\r点击\"开始\"按钮可以"
                               "重新开始。"));
        return;
    }
}

void Tfrmddp::lifeOut(const QString& text) {
    Timer1->setEnabled(false);
    showLife();
    platform::showMessage(this, text, kCaption, platform::MB_ICONINFORMATION);
    pnlmain->hide();
}

void Tfrmddp::Timer1Timer() {
    Timer1->setTag(Timer1->Tag() + 1);
    const bool out = game_.tick();
    lbltime->setText(game_.clockText());
    showLife();
    if (out)
        lifeOut(QStringLiteral("小朋友，你在本次游戏中生命值耗尽，要加油噢！\r点击\"开始\"按钮重新"
                               "开始．"));
}

void Tfrmddp::imgtsClick() {
    switch (game_.hint()) {
    case language::WordPairGame::Hint::NoBoard:
        platform::showMessage(this, QStringLiteral("请点击\"开始\"按钮进行[对对踫]游戏的练习！"),
                              kCaption, platform::MB_ICONINFORMATION);
        return;
    case language::WordPairGame::Hint::LifeTooLow:
        platform::showMessage(this,
                              QStringLiteral("小朋友，不能使用提示了，你的生命值已经很低了噢！"),
                              kCaption, platform::MB_ICONINFORMATION);
        return;
    case language::WordPairGame::Hint::Shown:
        showLife();
        card(game_.hintPair())->SetColorBorder(kRed);
        card(language::WordPairGame::partner(game_.hintPair()))->SetColorBorder(kRed);
        Timer2->setTag(0);
        Timer2->setEnabled(true);
        return;
    }
}

void Tfrmddp::Timer2Timer() {
    Timer2->setTag(Timer2->Tag() + 500);
    if (!game_.hintTick())
        return;
    Timer2->setTag(0);
    Timer2->setEnabled(false);
    if (const int k = game_.hintPair()) {
        card(k)->SetColorBorder(kYellow);
        card(language::WordPairGame::partner(k))->SetColorBorder(kYellow);
    }
}

void Tfrmddp::imggzClick() {
    platform::showMessage(this,
                          QStringLiteral("　　《对对踫》\r"
                                         "１、点击＂开始＂将初始化游戏并计时开始。\r"
                                         "２、将英文单词与对应的中文解释分别选中,就会将它们消除。\r"
                                         "３、直到所有的英文单词与中文解释全部消除,就赢得胜利。"),
                          QStringLiteral("《对对踫》说明！"), platform::MB_ICONINFORMATION);
}

TForm::CloseAction Tfrmddp::FormClose() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    lbltime->setText(QStringLiteral("00:00"));
    // Coming from the word browser, which left the music off, the music comes back.
    if (fromWordBrowser_)
        shell::resumeMusicAfterActivity();
    fromWordBrowser_ = false;
    recentreEnglishMenu();
    return CloseAction::Hide;
}

QStringList Tfrmddp::dataPaths() {
    QStringList paths = language::judgementPaths();
    for (int n = 1; n < 18; ++n)
        paths << QStringLiteral("Data\\picture\\ddp\\%1.jpg").arg(n);
    return paths;
}
