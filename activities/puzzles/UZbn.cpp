#include "activities/puzzles/UZbn.h"

#include "activities/puzzles/PuzzleDialogs.h"
#include "activities/puzzles/UPhb.h"
#include "activities/puzzles/Ugamesave.h"
#include "app/FormRegistry.h"
#include "app/ShellState.h"
#include "platform/ContentPack.h"
#include "platform/IniFile.h"
#include "platform/MessageService.h"

#include <QCloseEvent>
#include <QMouseEvent>

QPointer<Tfrmzbn> frmzbn;
static RegisterForm<Tfrmzbn> reg("Tfrmzbn", frmzbn);

namespace {
const QString kCaption = QStringLiteral("[找不同]说明！");
const QString kRestartTail = QStringLiteral(
    "\r你是否要重新开始呢？\r点击[确定]按钮，可以重新开始游戏，点击[取消]按钮，将直接退出本游戏！");

bool ask(QWidget* owner, const QString& text, const QString& caption) {
    return platform::showMessage(owner, text, caption,
                                 platform::MB_OKCANCEL | platform::MB_ICONQUESTION) ==
           platform::IDOK;
}
} // namespace

Tfrmzbn::Tfrmzbn(QWidget* parent) : TActivityForm(parent, Qt::Window | puzzles::kSystemMenuFrame) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, 1000, false);
    Timer2 = new TTimer(this, 300, false);
    Timer4 = new TTimer(this, 10, false);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmzbn::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &Tfrmzbn::Timer2Timer);
    connect(Timer4, &TTimer::OnTimer, this, &Tfrmzbn::Timer4Timer);
    wirePictureButtons();
    connect(imgnext, &TImage::OnClick, this, &Tfrmzbn::imgnextClick);
    connect(imgexit, &TImage::OnClick, this, &QWidget::close);
    connect(imggz, &TImage::OnClick, this, &Tfrmzbn::imggzClick);
    connect(imgphb, &TImage::OnClick, this, [] {
        puzzles::showLeaderboard(puzzles::kSpotPrefix, QStringLiteral("〖找不同〗排行榜"));
    });
    pack_ = platform::ContentPack::load(QStringLiteral("zbt"));
    for (int k = 1; k <= 5; ++k) {
        const QByteArray n = "shp" + QByteArray::number(k);
        shapes_[0][static_cast<size_t>(k - 1)] = child<TShape>(n.constData());
        shapes_[1][static_cast<size_t>(k - 1)] = child<TShape>((n + "_1").constData());
    }
    for (bool right : {false, true}) {
        TImage* pic = right ? pic2 : pic1;
        connect(pic, &TImage::OnClick, this, &Tfrmzbn::pic1Click);
        TShape* other = right ? shpcur1 : shpcur2;
        connect(pic, &TImage::OnMouseMove, this, [this, pic, other, right](QPoint at) {
            (right ? shpcur2 : shpcur1)->hide();
            placeCursor(other, pic->pos() + at);
        });
        for (int k = 1; k <= 5; ++k) {
            TShape* s = shape(k, right);
            connect(s, &TShape::OnMouseDown, this, [this, k] { shp1MouseDown(k); });
            connect(s, &TShape::OnMouseMove, this,
                    [this, s, other](QPoint at) { placeCursor(other, s->pos() + at); });
        }
        QWidget* panel = right ? pnl2 : pnl1;
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
        if (shell::hasScreenCursor(2))
            panel->setCursor(shell::screenCursor(2));
    }
    for (TShape* c : {shpcur1, shpcur2})
        c->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(imgbg, &TImage::OnMouseMove, this, [this] {
        shpcur1->hide();
        shpcur2->hide();
    });
}

void Tfrmzbn::placeCursor(TShape* square, QPoint topLeft) {
    square->move(topLeft - QPoint(8, 8));
    square->show();
    square->raise();
}

bool Tfrmzbn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && (watched == pnl1 || watched == pnl2))
        (watched == pnl1 ? shpcur2 : shpcur1)->hide();
    return TActivityForm::eventFilter(watched, event);
}

void Tfrmzbn::FormShow() {
    game_.reset();
    pnl1->hide();
    pnl2->hide();
    lbltime->clear();
    txtinfo->clear();
    lblscore->clear();
    txtgk->setText(QStringLiteral("0"));
    Timer1->setEnabled(false);
    table_ = puzzles::readScores(platform::IniFile(puzzles::scoreFilePath()), puzzles::kSpotPrefix);
}

void Tfrmzbn::imgnextClick() {
    if (Timer1->Enabled() &&
        !ask(this,
             QStringLiteral("小朋友，本次游戏还没有结束，你真的要重新开始游戏吗？\r点击[确定]按钮，"
                            "可以重新开始游戏，点击[取消]按钮，返回当前游戏！"),
             QStringLiteral("重新开始新游戏？")))
        return;
    Timer2->setEnabled(false);
    game_.start();
    lblscore->setText(QStringLiteral("0"));
    pnl1->show();
    pnl2->show();
    NextPicture();
}

void Tfrmzbn::NextPicture() {
    txtgk->setText(QString::number(game_.stage()));
    txtinfo->setText(QStringLiteral("5"));
    Timer2->setEnabled(false);
    Timer1->setEnabled(true);
    // The squares of the last pair would point into a picture that is no longer there.
    shpcur1->hide();
    shpcur2->hide();
    const QString pair = QString::number(game_.pair());
    QPixmap left, right;
    left.loadFromData(pack_->read(pair + QStringLiteral("_1"), QStringLiteral("JPG")), "JPG");
    right.loadFromData(pack_->read(pair + QStringLiteral("_2"), QStringLiteral("JPG")), "JPG");
    pic1->setPicture(left);
    pic2->setPicture(right);
    const QSize size = left.size();
    // Centred in the panel; negative when the picture is larger than the panel.
    const QPoint at((pnl1->width() - size.width()) / 2, (pnl1->height() - size.height()) / 2);
    pic1->setGeometry(QRect(at, size));
    pic2->setGeometry(QRect(at, size));
    for (int k = 1; k <= 5; ++k) {
        const puzzles::Region r = puzzles::spotRegion(game_.pair(), k);
        for (bool side : {false, true}) {
            TShape* s = shape(k, side);
            s->setGeometry(r.left + at.x(), r.top + at.y(), r.width, r.height);
            s->setPenClear(true);
        }
    }
}

void Tfrmzbn::shp1MouseDown(int k) {
    const auto outcome = game_.hit(k);
    if (outcome == puzzles::SpotGame::Hit::Ignored)
        return;
    shape(k, false)->setPenClear(false);
    shape(k, true)->setPenClear(false);
    lblscore->setText(QString::number(game_.score()));
    txtinfo->setText(QString::number(game_.differencesLeft()));
    if (outcome == puzzles::SpotGame::Hit::PairDone) {
        Timer1->setEnabled(false);
        Timer2->setEnabled(true);
    } else if (outcome == puzzles::SpotGame::Hit::GameDone) {
        Timer1->setEnabled(false);
        if (ask(this,
                QStringLiteral("小朋友，你好聪明噢，你已经完成了找不同的全部游戏！") + kRestartTail,
                kCaption))
            imgnextClick();
        else
            close();
    }
    right_ = true;
    Timer4->setEnabled(true);
}

void Tfrmzbn::pic1Click() {
    if (game_.miss() != puzzles::SpotGame::Miss::Penalty)
        return;
    right_ = false;
    Timer4->setEnabled(true);
}

void Tfrmzbn::Timer1Timer() {
    const auto outcome = game_.tick();
    if (outcome == puzzles::SpotGame::Tick::Counted)
        lbltime->setText(QString::number(game_.secondsShown()));
    if (outcome != puzzles::SpotGame::Tick::TimedOut)
        return;
    lbltime->setText(QStringLiteral("0"));
    Timer1->setEnabled(false);
    if (ask(this,
            QStringLiteral("小朋友，在本次找不同中，你没有在规定的时间内完成任务噢，游戏结束。") +
                kRestartTail,
            kCaption))
        imgnextClick();
    else
        close();
}

void Tfrmzbn::Timer2Timer() {
    if (game_.pauseTick())
        NextPicture();
    else if (game_.phase() != puzzles::SpotGame::Phase::Pausing)
        Timer2->setEnabled(false);
}

void Tfrmzbn::Timer4Timer() {
    Timer4->setEnabled(false);
    playJudgement(right_);
}

void Tfrmzbn::imggzClick() {
    const QStringList lines = {
        QStringLiteral("　　　　　　《找不同》"),
        QStringLiteral("１、点击“开始”按钮，游戏开始。"),
        QStringLiteral("２、仔细观察两幅图，在两幅图不同的地方点击鼠标。"),
        QStringLiteral("３、直到两幅图中所有的不同都找出后，自动进入下一幅图。"),
        QStringLiteral("４、若在规定时间未找出图片中的全部不同处，游戏自动结束。"),
    };
    platform::showMessage(nullptr, lines.join(QLatin1Char('\r')),
                          QStringLiteral("《找不同》游戏说明！"), platform::MB_ICONINFORMATION);
}

void Tfrmzbn::closeEvent(QCloseEvent* e) {
    // Score and stage are taken with every clock stopped, before anything is asked.
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    Timer4->setEnabled(false);
    puzzles::offerToSave(this, puzzles::kSpotPrefix, kCaption, table_, game_.score(), game_.stage(),
                         game_.saveable());
    game_.reset();
    TActivityForm::closeEvent(e);
}

TForm::CloseAction Tfrmzbn::FormClose() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    return CloseAction::Hide;
}

QStringList Tfrmzbn::dataPaths() {
    QStringList paths = {QStringLiteral("DATA\\bgsnd\\right.WAV"),
                         QStringLiteral("DATA\\bgsnd\\wrong.WAV")};
    for (int pair = 1; pair <= puzzles::kSpotPairs; ++pair)
        for (const char* side : {"_1", "_2"})
            paths << packItemPath(QStringLiteral("zbt"), QStringLiteral("JPG"),
                                  QString::number(pair) + QLatin1String(side));
    return paths;
}
