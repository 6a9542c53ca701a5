#include "activities/puzzles/Uptx.h"

#include "activities/puzzles/PuzzleDialogs.h"
#include "activities/puzzles/UPhb.h"
#include "activities/puzzles/Ugamesave.h"
#include "app/FormRegistry.h"
#include "platform/IniFile.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"

#include <QCloseEvent>

QPointer<Tfrmptx> frmptx;
static RegisterForm<Tfrmptx> reg("Tfrmptx", frmptx);

namespace {
const QString kCaption = QStringLiteral("[拼图形]说明！");
const QString kStageHint = QStringLiteral("（每关都有3幅图）");
} // namespace

Tfrmptx::Tfrmptx(QWidget* parent) : TActivityForm(parent, Qt::Window | puzzles::kSystemMenuFrame) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, 1000, false);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmptx::Timer1Timer);
    wirePictureButtons();
    connect(imgnext, &TImage::OnClick, this, &Tfrmptx::imgnextClick);
    connect(imgexit, &TImage::OnClick, this, &QWidget::close);
    connect(imggz, &TImage::OnClick, this, &Tfrmptx::imggzClick);
    connect(imgphb, &TImage::OnClick, this, [] {
        puzzles::showLeaderboard(puzzles::kPuzzlePrefix, QStringLiteral("〖拼图形〗排行榜"));
    });
    // The peek at the whole picture while the mouse is over the key.
    connect(imgkey, &TImage::OnMouseMove, this, [this] {
        if (txtgk->text() != QLatin1String("0"))
            pnlright->show();
    });
    connect(imgkey, &TImage::OnMouseLeave, this, [this] {
        if (txtgk->text() != QLatin1String("0"))
            pnlright->hide();
    });
    for (int k = 1; k <= puzzles::kMaxPieces; ++k) {
        const QByteArray n = QByteArray::number(k);
        pieces_[static_cast<size_t>(k - 1)] = child<TFlatPanel>(("pnl" + n).constData());
        slots_[static_cast<size_t>(k - 1)] = child<TFlatPanel>(("pimg" + n).constData());
        TImage* img = images_[static_cast<size_t>(k - 1)] = child<TImage>(("img" + n).constData());
        // "img10".."img20" are pieces of their own, not looks of "img1" or "img2".
        img->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        connect(img, &TImage::OnMouseDown, this,
                [this, k](Qt::MouseButton, QPoint at) { pieceDown(k, at); });
        connect(img, &TImage::OnMouseMove, this, [this, k](QPoint at) { pieceMove(k, at); });
        connect(img, &TImage::OnMouseUp, this, [this, k] { pieceUp(k); });
    }
}

void Tfrmptx::FormShow() {
    game_.reset();
    dragging_ = 0;
    txtinfo->clear();
    lbltime->clear();
    lblscore->clear();
    txtgk->setText(QStringLiteral("0"));
    lblscroe2->setText(kStageHint);
    Timer1->setEnabled(false);
    for (int k = 1; k <= puzzles::kMaxPieces; ++k) {
        piece(k)->hide();
        slot(k)->hide();
    }
    table_ =
        puzzles::readScores(platform::IniFile(puzzles::scoreFilePath()), puzzles::kPuzzlePrefix);
    QImage idle;
    const bool loaded = loadPicture(platform::rng().random(1, 13), idle);
    Image1->setPicture(loaded ? QPixmap::fromImage(idle) : QPixmap());
    Image2->setPicture(Image1->Picture());
    Image1->show();
    Image2->show();
    pnlleft->hide();
    pnlright->hide();
}

bool Tfrmptx::loadPicture(int n, QImage& into) {
    into = QImage(platform::dataPath(QStringLiteral("DATA\\picture\\ptx\\%1.bmp").arg(n)));
    return !into.isNull();
}

void Tfrmptx::imgnextClick() {
    if (Timer1->Enabled() &&
        platform::showMessage(
            this,
            QStringLiteral("小朋友，本次游戏还没有结束，你真的要重新开始游戏吗？\r点击[是]按钮，"
                           "可以重新开始游戏，点击[否]按钮，返回当前游戏！"),
            QStringLiteral("重新开始新游戏？"),
            platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
        return;
    Image1->hide();
    Image2->hide();
    platform::rng().randomize();
    game_.start(platform::rng());
    txtgk->setText(QStringLiteral("1"));
    imgfirst->hide();
    pnlright->hide();
    pnlleft->show();
    NextPicture();
}

void Tfrmptx::NextPicture() {
    // The stage hint of the idle window, or the last bonus text, goes as a picture comes.
    lblscroe2->clear();
    bonusTicks_ = 0;
    // The game has already moved on to the next picture when this runs after the start.
    if (game_.picture() > 0 && game_.piecesLeft() == 0)
        switch (game_.nextPicture(platform::rng())) {
        case puzzles::PuzzleGame::Bonus::Paid:
            lblscroe2->setText(QStringLiteral("本关奖励%1分").arg(game_.lastBonus()));
            bonusTicks_ = 3;
            break;
        case puzzles::PuzzleGame::Bonus::Missed:
            lblscroe2->setText(QStringLiteral("本关你没得到送分噢！"));
            bonusTicks_ = 3;
            break;
        case puzzles::PuzzleGame::Bonus::None:
            break;
        }
    txtgk->setText(QString::number(game_.stage()));
    lbltime->setText(QString::number(game_.secondsLeft()));
    showScore();
    Timer1->setEnabled(true);
    if (!loadPicture(game_.picture(), picture_)) {
        platform::showMessage(nullptr,
                              QStringLiteral("无法打开图片文件 %1.bmp").arg(game_.picture()),
                              QStringLiteral("Pelumo"), platform::MB_ICONERROR);
        return;
    }
    imgold->setPicture(QPixmap::fromImage(picture_));
    imgold->show();
    CutPicture();
}

void Tfrmptx::picnewgameClick() {
    imgold->hide();
    game_.newGrid(platform::rng());
    Timer1->setEnabled(true);
    CutPicture();
}

void Tfrmptx::CutPicture() {
    const puzzles::Cut& cut = game_.cut();
    txtinfo->setText(puzzles::gridText(cut.grid));
    for (int k = 1; k <= puzzles::kMaxPieces; ++k) {
        const bool used = k <= cut.count();
        piece(k)->setVisible(used);
        slot(k)->setVisible(used);
        if (!used)
            continue;
        const QRect tile = cut.tiles[static_cast<size_t>(k - 1)];
        TImage* img = images_[static_cast<size_t>(k - 1)];
        img->setGeometry(QRect(QPoint(0, 0), tile.size()));
        // Unscaled pixels of the picture; what lies outside it stays empty.
        img->setPicture(QPixmap::fromImage(picture_.copy(tile)));
        piece(k)->setGeometry(QRect(game_.piecePosition(k), tile.size()));
        slot(k)->setGeometry(QRect(cut.targets[static_cast<size_t>(k - 1)], tile.size()));
    }
}

void Tfrmptx::pieceDown(int k, QPoint at) {
    if (!game_.canDrag(k))
        return;
    dragging_ = k;
    grab_ = at;
    piece(k)->raise();
}

void Tfrmptx::pieceMove(int k, QPoint at) {
    if (dragging_ == k)
        piece(k)->move(piece(k)->pos() + at - grab_);
}

void Tfrmptx::pieceUp(int k) {
    if (dragging_ != k)
        return;
    dragging_ = 0;
    const auto outcome = game_.drop(k, piece(k)->pos());
    piece(k)->move(game_.piecePosition(k));
    if (outcome == puzzles::PuzzleGame::Drop::Returned)
        return;
    showScore();
    if (outcome == puzzles::PuzzleGame::Drop::PictureDone) {
        NextPicture();
    } else if (outcome == puzzles::PuzzleGame::Drop::GameDone) {
        Timer1->setEnabled(false);
        if (platform::showMessage(
                this,
                QStringLiteral("小朋友，你真聪明，拼图游戏你已经通关了！\r你是否要继续玩本游戏呢？"
                               "\r点击[是]按钮，可以重新开始游戏，点击[取消]按钮，将直接退出本拼"
                               "图游戏！"),
                QStringLiteral("[拼图游戏]说明！"),
                platform::MB_OKCANCEL | platform::MB_ICONQUESTION) == platform::IDOK)
            picnewgameClick();
        else
            close();
    }
}

void Tfrmptx::showScore() {
    lblscore->setText(QString::number(game_.score()));
}

void Tfrmptx::Timer1Timer() {
    if (bonusTicks_ > 0 && --bonusTicks_ == 0)
        lblscroe2->clear();
    const auto outcome = game_.tick();
    if (outcome == puzzles::PuzzleGame::Tick::Counted)
        lbltime->setText(QString::number(game_.secondsLeft()));
    if (outcome != puzzles::PuzzleGame::Tick::TimedOut)
        return;
    lbltime->setText(QStringLiteral("0"));
    Timer1->setEnabled(false);
    // Only the end of the time takes a held piece away: it goes back where it came from.
    if (dragging_) {
        piece(dragging_)->move(game_.piecePosition(dragging_));
        dragging_ = 0;
    }
    if (platform::showMessage(
            this,
            QStringLiteral("小朋友，在本次拼图形中，你没有在规定的时间内完成任务噢，游戏结束。\r"
                           "你是否要重新开始呢？\r点击[确定]按钮，可以重新开始游戏，点击[取消]"
                           "按钮，将直接退出本游戏！"),
            kCaption, platform::MB_OKCANCEL | platform::MB_ICONQUESTION) == platform::IDOK)
        imgnextClick();
    else
        close();
}

void Tfrmptx::imggzClick() {
    const QStringList lines = {
        QStringLiteral("　　　　　　《拼图形》"),
        QStringLiteral("１、点击“开始”按钮，游戏开始。"),
        QStringLiteral("２、将打乱后的图形（左侧），拖到右侧合适的位置。"),
        QStringLiteral("３、直到将左侧中打乱的图形，在右侧拼成一个完整的图形。"),
        QStringLiteral("４、若在规定时间未拼出相应的图形，游戏自动结束。"),
    };
    platform::showMessage(nullptr, lines.join(QLatin1Char('\r')),
                          QStringLiteral("《拼图形》游戏说明！"), platform::MB_ICONINFORMATION);
}

void Tfrmptx::closeEvent(QCloseEvent* e) {
    // The clock stops before the question, so it cannot end the game behind it.
    Timer1->setEnabled(false);
    puzzles::offerToSave(this, puzzles::kPuzzlePrefix, kCaption, table_, game_.score(),
                         game_.stage(), game_.saveable());
    game_.reset();
    TActivityForm::closeEvent(e);
}

TForm::CloseAction Tfrmptx::FormClose() {
    Timer1->setEnabled(false);
    imgfirst->show();
    pnlright->show();
    imgold->clearPicture();
    imgold->show();
    return CloseAction::Hide;
}

QStringList Tfrmptx::dataPaths() {
    QStringList paths;
    for (int n = 1; n <= puzzles::kPuzzlePictures; ++n)
        paths << QStringLiteral("DATA\\picture\\ptx\\%1.bmp").arg(n);
    return paths;
}
