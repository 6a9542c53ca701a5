#include "activities/puzzles/UGfl.h"

#include "activities/common/PictureCatalogue.h"
#include "activities/puzzles/PuzzleDialogs.h"
#include "app/FormRegistry.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/Random.h"
#include "widgets/TShape.h"

QPointer<Tfrmgfl> frmgfl;
static RegisterForm<Tfrmgfl> reg("Tfrmgfl", frmgfl);

namespace {
constexpr int kSize = 100, kZoomed = 110;
}

Tfrmgfl::Tfrmgfl(QWidget* parent) : TActivityForm(parent, Qt::Window | puzzles::kSystemMenuFrame) {
    setupUi(this);
    setFixedSize(900, 675);
    Timer1 = new TTimer(this, 1000, false);
    Timer2 = new TTimer(this, 10, false);
    connect(Timer1, &TTimer::OnTimer, this, &Tfrmgfl::Timer1Timer);
    connect(Timer2, &TTimer::OnTimer, this, &Tfrmgfl::Timer2Timer);
    wirePictureButtons();
    connect(imgnext, &TImage::OnClick, this, &Tfrmgfl::NewQuestion);
    connect(imgok, &TImage::OnClick, this, &Tfrmgfl::imgokClick);
    connect(imgfh, &TImage::OnClick, this, [this] {
        Timer1->setEnabled(false);
        close();
    });
    for (int s = 1; s <= puzzles::kSortMaxPicks; ++s) {
        const QByteArray n = QByteArray::number(s);
        trayPanels_[static_cast<size_t>(s - 1)] = child<QWidget>(("pnl" + n).constData());
        tray_[static_cast<size_t>(s - 1)] = child<TImage>(("sm" + n).constData());
    }
    for (int k = 1; k <= puzzles::kSortPictures; ++k) {
        const QByteArray n = QByteArray::number(k);
        const size_t i = static_cast<size_t>(k - 1);
        TImage* p = pics_[i] = child<TImage>(("pic" + n).constData());
        ticks_[i] = child<QWidget>(("pdpic" + n).constData());
        frames_[i] = child<QWidget>(("spic" + n).constData());
        connect(p, &TImage::OnClick, this, [this, k] { pic1Click(k); });
        connect(p, &TImage::OnMouseDown, this, [this, k] { pressed(k, 1); });
        connect(p, &TImage::OnMouseUp, this, [this, k] { pressed(k, -1); });
        connect(p, &TImage::OnMouseMove, this, [this, k] { pic1MouseMove(k); });
        // "pic10".."pic12" are pictures of their own, not looks of "pic1".
        p->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        p->stackUnder(frames_[i]);
        ticks_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        frames_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    for (TGradientLabel* s : {lbltop, lblbot, lblleft, lblyc}) {
        s->Gradient()->SetStartColor(TColor{0x0000A5FF});
        s->Gradient()->SetEndColor(TColor{0x00FF66CC});
        s->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

QPoint Tfrmgfl::home(int pic) {
    static const int cols[] = {99, 260, 421, 582}, rows[] = {199, 324, 447};
    return {cols[(pic - 1) % 4], rows[(pic - 1) / 4]};
}

void Tfrmgfl::FormShow() {
    round_.resetCounters();
    for (QLabel* l : {lblcount, lblright, lblwrong, lbltime})
        l->setText(QStringLiteral("0"));
    NewQuestion();
}

void Tfrmgfl::NewQuestion() {
    Timer1->setEnabled(false);
    for (size_t s = 0; s < tray_.size(); ++s) {
        trayPanels_[s]->hide();
        tray_[s]->clearPicture();
    }
    hideHover();
    lblpd->clear();
    platform::rng().randomize();
    round_.newQuestion(platform::rng());
    homeAll();
    for (int k = 1; k <= puzzles::kSortPictures; ++k) {
        const LookRecEntry& e = LookRecTable[static_cast<size_t>(round_.row(k))];
        // A picture that cannot be read leaves an empty place, not the last question's.
        if (!picture(k)->loadFromFile(
                platform::dataPath(lookRecPicturePath(QString::fromUtf8(e.name)))))
            picture(k)->clearPicture();
        picture(k)->setTag(round_.pictureClass(k));
    }
    showTicks();
    lbltopic->setText(puzzles::sortQuestion(round_.askedClass()));
    lbltopic->setProperty("Tag", round_.askedClass());
    Timer1->setEnabled(true);
}

void Tfrmgfl::showTicks() {
    for (int k = 1; k <= puzzles::kSortPictures; ++k) {
        ticks_[static_cast<size_t>(k - 1)]->setVisible(round_.ticked(k));
        frames_[static_cast<size_t>(k - 1)]->setVisible(round_.ticked(k));
    }
}

void Tfrmgfl::pic1Click(int pic) {
    const int slot = round_.traySlotOf(pic);
    switch (round_.pick(pic)) {
    case puzzles::SortRound::Pick::Ignored:
        return;
    case puzzles::SortRound::Pick::Full:
        platform::showMessage(
            nullptr,
            QStringLiteral("请注意,要找的图片最多不会超过6个,你现在选择的图片已经是6个了.\r请认真"
                           "检查,把符合要求的选出来噢.\r要想选择本图片,请将其它不符合要求的所选图"
                           "片先去掉."),
            QStringLiteral("《归分类》游戏说明！"), platform::MB_ICONINFORMATION);
        return;
    case puzzles::SortRound::Pick::Unselected:
        tray_[static_cast<size_t>(slot - 1)]->clearPicture();
        trayPanels_[static_cast<size_t>(slot - 1)]->hide();
        break;
    case puzzles::SortRound::Pick::Selected: {
        const int to = round_.traySlotOf(pic);
        tray_[static_cast<size_t>(to - 1)]->setPicture(picture(pic)->Picture());
        trayPanels_[static_cast<size_t>(to - 1)]->show();
        break;
    }
    }
    showTicks();
}

void Tfrmgfl::pressed(int pic, int step) {
    if (!round_.open())
        return;
    for (QWidget* w : {static_cast<QWidget*>(picture(pic)), static_cast<QWidget*>(lbltop),
                       static_cast<QWidget*>(lblbot), static_cast<QWidget*>(lblleft),
                       static_cast<QWidget*>(lblyc)})
        w->move(w->pos() + QPoint(step, step));
}

void Tfrmgfl::pic1MouseMove(int pic) {
    if (!round_.open() || picture(pic)->width() >= kZoomed || hovered_ == pic)
        return;
    hovered_ = pic;
    homeAll(pic);
    const QPoint corner = home(pic) - QPoint(9, 9);
    lblleft->move(corner);
    lbltop->move(corner);
    lblyc->move(corner + QPoint(114, 0));
    lblbot->move(corner + QPoint(0, 114));
    for (QWidget* s : {lbltop, lblbot, lblleft, lblyc}) {
        s->show();
        s->raise();
    }
    picture(pic)->raise();
    frames_[static_cast<size_t>(pic - 1)]->raise();
    ticks_[static_cast<size_t>(pic - 1)]->raise();
    Timer2->setEnabled(true);
}

void Tfrmgfl::Timer2Timer() {
    TImage* p = hovered_ ? picture(hovered_) : nullptr;
    if (p && p->x() > lblleft->x() + 4 && p->width() < kZoomed) {
        p->setGeometry(p->x() - 1, p->y() - 1, p->width() + 2, p->height() + 2);
        return;
    }
    Timer2->setEnabled(false);
}

void Tfrmgfl::hideHover() {
    Timer2->setEnabled(false);
    hovered_ = 0;
    for (QWidget* s : {lbltop, lblbot, lblleft, lblyc})
        s->hide();
}

void Tfrmgfl::homeAll(int except) {
    for (int k = 1; k <= puzzles::kSortPictures; ++k)
        if (k != except)
            picture(k)->setGeometry(QRect(home(k), QSize(kSize, kSize)));
}

void Tfrmgfl::Timer1Timer() {
    round_.tick();
    lbltime->setText(QString::number(round_.seconds()));
}

void Tfrmgfl::imgokClick() {
    if (!round_.open())
        return;
    hideHover();
    homeAll();
    const bool right = round_.check();
    showTicks();
    lblpd->setText(right ? QStringLiteral("√") : QStringLiteral("×"));
    lblcount->setText(QString::number(round_.count()));
    lblright->setText(QString::number(round_.right()));
    lblwrong->setText(QString::number(round_.wrong()));
    playJudgement(right);
    Timer1->setEnabled(false);
}

TForm::CloseAction Tfrmgfl::FormClose() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    round_.close();
    return CloseAction::Hide;
}

QStringList Tfrmgfl::dataPaths() {
    QStringList paths = {QStringLiteral("DATA\\bgsnd\\right.WAV"),
                         QStringLiteral("DATA\\bgsnd\\wrong.WAV")};
    for (const LookRecEntry& e : LookRecTable)
        paths << lookRecPicturePath(QString::fromUtf8(e.name));
    return paths;
}
