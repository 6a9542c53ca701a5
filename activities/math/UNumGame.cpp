#include "activities/math/UNumGame.h"

#include "app/ActivitySound.h"
#include "app/FormRegistry.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "widgets/FlatButtons.h"

#include <algorithm>

QPointer<Tfrmnumgame> frmnumgame;
static RegisterForm<Tfrmnumgame> reg("Tfrmnumgame", frmnumgame);

namespace {
const QString kIdle = QStringLiteral("请点击“开始”按钮");
} // namespace

Tfrmnumgame::Tfrmnumgame(QWidget* parent) : TActivityForm(parent) {
    setupUi(this);
    setFixedSize(900, 675);
    stopsMusic_ = false;
    // The drill that opened the game stays open underneath.
    returnsToOpener_ = false;
    Timer1 = new TTimer(this, 1000, false);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmnumgame::Timer1Timer);
    wirePictureButtons();
    connect(imgnext, &TImage::OnClick, this, &Tfrmnumgame::imgnextClick);
    connect(imggz, &TImage::OnClick, this, &Tfrmnumgame::imggzClick);
    connect(imgexit, &TImage::OnClick, this, &Tfrmnumgame::imgexitClick);
    FormCreate();
}

void Tfrmnumgame::FormCreate() {
    QFont font;
    font.setFamilies({QStringLiteral("黑体"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSize(36);
    font.setBold(true);
    for (size_t i = 0; i < NumberCells.size(); ++i) {
        auto* c = new TFlatButton(pnlmain);
        c->setObjectName(QStringLiteral("NumberCell%1").arg(i));
        c->setFont(font);
        c->SetFontColor(clBlack);
        c->SetColor(kFace);
        c->SetColorFocused(0x0016E4B1);
        c->SetColorDown(kSelected);
        c->SetColorBorder(clBlack);
        c->hide();
        connect(c, &TFlatButton::OnClick, this, [this, c] { CellClick(c); });
        NumberCells[i] = c;
    }
}

TFlatButton* Tfrmnumgame::cell(int row, int col) const {
    return NumberCells[static_cast<size_t>((row - 1) * 9 + col - 1)];
}

TFlatButton* Tfrmnumgame::boardCell(int index) const {
    const math::PairBoard& b = game_.board();
    if (b.cols == 0)
        return nullptr;
    return cell(index / b.cols + 1, index % b.cols + 1);
}

void Tfrmnumgame::FormShow() {
    rb1->SetChecked(true);
    platform::rng().randomize();
    PairMode = static_cast<math::PairMode>(platform::rng().random(2));
    for (TFlatButton* c : NumberCells)
        c->hide();
}

TForm::CloseAction Tfrmnumgame::FormClose() {
    Timer1->setEnabled(false);
    game_.stop();
    lblstate->setText(kIdle);
    lbltime->setText(QStringLiteral("00:00"));
    return CloseAction::Hide;
}

int Tfrmnumgame::level() const {
    if (rb1->Checked())
        return 0;
    if (rb2->Checked())
        return 1;
    return 2;
}

void Tfrmnumgame::imgnextClick() {
    if (Timer1->Enabled() &&
        platform::showMessage(this, QStringLiteral("你真的想取消当前的游戏并重启开始吗？"),
                              QStringLiteral("重新来一局？"),
                              platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES)
        return;
    playSound(QStringLiteral("DATA\\bgsnd\\right.WAV"), false);
    pnlmain->hide();
    imgbg->loadFromFile(platform::dataPath(QStringLiteral("DATA\\picture\\ddp\\") +
                                           QString::number(platform::rng().random(1, 16)) +
                                           QStringLiteral(".jpg")));
    for (TFlatButton* c : NumberCells)
        c->hide();
    platform::rng().randomize();
    PairMode = static_cast<math::PairMode>(platform::rng().random(2));
    const math::PairLevel& lv = math::pairLevel(level());
    const int target = math::drawTarget(platform::rng(), lv, PairMode);
    const bool sum = PairMode == math::PairMode::Sum;
    lblstate->setText((sum ? QStringLiteral("数字和为：") : QStringLiteral("数字差为：")) +
                      QString::number(target));
    game_.start(math::buildBoard(platform::rng(), lv, PairMode, target), PairMode, target,
                lv.pairCount);
    BuildGrid();
    pnlmain->show();
    platform::showMessage(this,
                          (sum ? QStringLiteral("你这次要拼的两个数字之和是")
                               : QStringLiteral("你这次要拼的两个数字之差是")) +
                              QString::number(target) + QStringLiteral("！"),
                          QStringLiteral("游戏正式开始！"), platform::MB_ICONINFORMATION);
    Timer1->setTag(0);
    lbltime->setText(QStringLiteral("00:00"));
    Timer1->setEnabled(true);
}

void Tfrmnumgame::BuildGrid() {
    const math::PairBoard& b = game_.board();
    for (int i = 0; i < static_cast<int>(b.values.size()); ++i) {
        TFlatButton* c = boardCell(i);
        c->setGeometry(QRect(b.positions[static_cast<size_t>(i)], b.cell));
        c->SetColor(kFace);
        c->SetCaption(QString::number(b.values[static_cast<size_t>(i)]));
        c->show();
        c->raise();
    }
}

void Tfrmnumgame::CellClick(TFlatButton* cell) {
    const auto at = std::find(NumberCells.begin(), NumberCells.end(), cell);
    if (at == NumberCells.end())
        return;
    const int index = static_cast<int>(at - NumberCells.begin());
    const math::PairBoard& b = game_.board();
    const int row = index / 9 + 1, col = index % 9 + 1;
    if (row > b.rows || col > b.cols)
        return;
    const int previous = game_.selected();
    switch (game_.click(b.index(row, col))) {
    case math::PairGame::Click::Ignored:
        return;
    case math::PairGame::Click::Selected:
        cell->SetColor(kSelected);
        return;
    case math::PairGame::Click::Mismatch:
        boardCell(previous)->SetColor(kFace);
        cell->SetColor(kSelected);
        playSound(QStringLiteral("DATA\\bgsnd\\wrong.WAV"), false);
        return;
    case math::PairGame::Click::Removed:
    case math::PairGame::Click::Won:
        for (TFlatButton* c : {boardCell(previous), cell}) {
            c->SetColor(kFace);
            c->hide();
        }
        playSound(QStringLiteral("DATA\\bgsnd\\right.WAV"), false);
        break;
    }
    if (!game_.running()) {
        playSound(QStringLiteral("DATA\\bgsnd\\good.WAV"), false);
        Timer1->setEnabled(false);
        platform::showMessage(this,
                              QStringLiteral("恭喜你赢得本次游戏，如果要继续，请点击“开始”按钮！"),
                              QStringLiteral("你赢了！"), platform::MB_ICONINFORMATION);
    }
}

void Tfrmnumgame::Timer1Timer() {
    const bool timeUp = game_.tick();
    Timer1->setTag(game_.seconds());
    lbltime->setText(math::gameClockText(Timer1->Tag()));
    if (timeUp) {
        Timer1->setEnabled(false);
        platform::showMessage(this, QStringLiteral("游戏时间到!\r小朋友，要加油噢！"),
                              QStringLiteral("游戏时间到！"), platform::MB_ICONQUESTION);
    }
}

void Tfrmnumgame::imggzClick() {
    const QStringList lines = {
        QStringLiteral("　　《数字游戏》"),
        QStringLiteral("１、点击＂开始＂将初始化游戏并计时开始。"),
        QStringLiteral("２、在出现的各数字中点击各数字。"),
        QStringLiteral("３、请点击2个数字使和或差满足要求。"),
        QStringLiteral("４、若2数字的和或差满足要求，则数字消失。"),
        QStringLiteral("５、若所有的数字都消失，小朋友就赢得胜利。"),
        QStringLiteral("６、若游戏时间超过30分钟，小朋友就输了。"),
        QStringLiteral("７、如果选择错误，有可能导致无法消完，这样您就输了。"),
    };
    platform::showMessage(this, lines.join(QLatin1Char('\r')),
                          QStringLiteral("《数字游戏》游戏说明！"), platform::MB_ICONINFORMATION);
}

void Tfrmnumgame::imgexitClick() {
    close();
}

QStringList Tfrmnumgame::dataPaths() {
    QStringList paths = {QStringLiteral("DATA\\bgsnd\\right.WAV"),
                         QStringLiteral("DATA\\bgsnd\\wrong.WAV"),
                         QStringLiteral("DATA\\bgsnd\\good.WAV")};
    // The board's background is drawn from 1..15.
    for (int n = 1; n < 16; ++n)
        paths << QStringLiteral("DATA\\picture\\ddp\\%1.jpg").arg(n);
    return paths;
}
