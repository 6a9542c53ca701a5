#include "activities/puzzles/Uyyzzl.h"

#include "activities/puzzles/PuzzleDialogs.h"
#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "app/MissingPlayer.h"
#include "app/MoviePlayback.h"
#include "app/ShellState.h"
#include "app/TTimer.h"
#include "platform/ContentPack.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenu>

QPointer<Tfrmyyzzl> frmyyzzl;
static RegisterForm<Tfrmyyzzl> reg("Tfrmyyzzl", frmyyzzl);

using puzzles::PopupAction;
using puzzles::SongList;
using puzzles::SongListInfo;

Tfrmyyzzl::Tfrmyyzzl(QWidget* parent)
    : TActivityForm(parent, Qt::Window | puzzles::kSystemMenuFrame | Qt::WindowStaysOnTopHint) {
    setupUi(this);
    returnsToOpener_ = false; // the main window comes back from its own Tag
    FormCreate();
}

Tfrmyyzzl::~Tfrmyyzzl() = default;

QStringList Tfrmyyzzl::dataPaths() {
    QStringList paths;
    for (const SongListInfo& l : puzzles::songLists())
        for (int k = 1; k <= l.count; ++k)
            paths << packItemPath(l.prefix, QStringLiteral("Flash"), l.prefix + QString::number(k));
    return paths;
}

void Tfrmyyzzl::FormCreate() {
    setFixedSize(900, 675);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(223, 245, 247));
    setPalette(pal);
    setAutoFillBackground(true);
    myShockwaveFlash1->setLoop(true);
    myShockwaveFlash1->setScale(QStringLiteral("ShowAll"));
    myShockwaveFlash1->setQuality2(QStringLiteral("High"));
    lbml->SetGUIStyle(TIGUIListControl::lcgLowered);
    lbml->SetAutoItemHeight(false);
    lbml->SetItemHeight(30);
    fullScreen_ = std::make_unique<MovieFullScreen>(this, pnlmain, btnpic);

    for (const SongListInfo& info : puzzles::songLists()) {
        QFile f(QStringLiteral(":/songs/") + info.prefix + QStringLiteral(".txt"));
        const QStringList titles = f.open(QIODevice::ReadOnly)
                                       ? puzzles::parseTitles(QString::fromUtf8(f.readAll()))
                                       : QStringList();
        child<TFlatListBox>(info.titles)->SetItems(titles);
        popups_[info.list] = buildPopup(info, titles);
    }

    wirePictureButtons();
    const std::pair<TImage*, void (Tfrmyyzzl::*)()> clicks[] = {
        {imgplay, &Tfrmyyzzl::imgplayClick},       {imgback, &Tfrmyyzzl::imgbackClick},
        {imgnext, &Tfrmyyzzl::imgnextClick},       {imgexit, &Tfrmyyzzl::imgexitClick},
        {imgEnSong, &Tfrmyyzzl::imgEnSongClick},   {imgchsong, &Tfrmyyzzl::imgchsongClick},
        {imgtongyao, &Tfrmyyzzl::imgtongyaoClick}, {imgauto, &Tfrmyyzzl::imgautoClick},
        {imgfull, &Tfrmyyzzl::imgfullClick},
    };
    for (const auto& [img, handler] : clicks)
        connect(img, &TImage::OnClick, this,
                [this, h = handler] { guarded([this, h] { (this->*h)(); }); });
    connect(lbml, &TFlatControl::OnClick, this, [this] { guarded([this] { lbmlClick(); }); });
    connect(btnpic, &TFlatControl::OnClick, this, [this] { guarded([this] { btnpicClick(); }); });

    tmr1 = new TTimer(this, 300, false);
    connect(tmr1, &TTimer::OnTimer, this, [this] { guarded([this] { tmr1Timer(); }); });
    Timer2 = new TTimer(this, 250, false);
    connect(Timer2, &TTimer::OnTimer, this, [this] { guarded([this] { Timer2Timer(); }); });
    if (!IsFlashInstalled())
        tmr1->setEnabled(true);
    centreOnScreen();
    guarded([this] { LoadSongList(SongList::Chinese); });
}

QMenu* Tfrmyyzzl::buildPopup(const SongListInfo& info, const QStringList& titles) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(info.popup));
    for (const puzzles::PopupEntry& e : puzzles::popupEntries(titles)) {
        if (e.action == PopupAction::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(e.caption);
        void (Tfrmyyzzl::*tool)() = e.action == PopupAction::Replay     ? &Tfrmyyzzl::imgplayClick
                                    : e.action == PopupAction::Previous ? &Tfrmyyzzl::imgbackClick
                                    : e.action == PopupAction::Next     ? &Tfrmyyzzl::imgnextClick
                                    : e.action == PopupAction::Back     ? &Tfrmyyzzl::imgexitClick
                                                                        : nullptr;
        if (tool)
            connect(a, &QAction::triggered, this,
                    [this, tool] { guarded([this, tool] { (this->*tool)(); }); });
        else if (e.action == PopupAction::Song)
            connect(a, &QAction::triggered, this,
                    [this, a] { guarded([this, a] { wheels1Click(a); }); });
    }
    return menu;
}

void Tfrmyyzzl::LoadSongList(SongList list) {
    const SongListInfo& info = puzzles::songListInfo(list);
    const QStringList titles = child<TFlatListBox>(info.titles)->ItemsList();
    if (!player_.chooseList(list, int(titles.size()))) {
        showState();
        return;
    }
    for (const SongListInfo& l : puzzles::songLists())
        child<TImage>((QByteArray(l.button) + '1').constData())->setVisible(l.list == list);
    pack_ = platform::ContentPack::load(QString::fromLatin1(info.prefix));
    lbml->SetItems(titles);
    myShockwaveFlash1->setPopupMenu(popups_.at(list));
    play(player_.item());
}

void Tfrmyyzzl::play(const QString& item) {
    showState();
    if (item.isEmpty())
        return;
    loadPackMovie(*myShockwaveFlash1, pack_.get(), item);
    myShockwaveFlash1->SetFocus();
    lbml->setFocus();
}

void Tfrmyyzzl::showState() {
    if (lbml->ItemIndex() != player_.selected())
        lbml->SetItemIndex(player_.selected());
    imgauto1->setVisible(player_.autoPlay());
    Timer2->setEnabled(player_.autoPlay());
    Timer2->setTag(player_.restTicks());
}

void Tfrmyyzzl::lbmlClick() {
    play(player_.select(lbml->ItemIndex()));
}
void Tfrmyyzzl::imgplayClick() {
    play(player_.replay());
}
void Tfrmyyzzl::imgbackClick() {
    play(player_.previous());
}
void Tfrmyyzzl::imgnextClick() {
    play(player_.next());
}
void Tfrmyyzzl::imgexitClick() {
    close();
}
void Tfrmyyzzl::imgEnSongClick() {
    LoadSongList(SongList::English);
}
void Tfrmyyzzl::imgchsongClick() {
    LoadSongList(SongList::Chinese);
}
void Tfrmyyzzl::imgtongyaoClick() {
    LoadSongList(SongList::Rhymes);
}

void Tfrmyyzzl::wheels1Click(QAction* entry) {
    auto* menu = qobject_cast<QMenu*>(entry ? entry->parent() : nullptr);
    if (menu)
        play(player_.popupChoice(int(menu->actions().indexOf(entry))));
}

void Tfrmyyzzl::imgautoClick() {
    player_.setAutoPlay(!player_.autoPlay());
    showState();
}

void Tfrmyyzzl::Timer2Timer() {
    const int total = myShockwaveFlash1->TotalFrames();
    const bool atEnd = total > 0 && myShockwaveFlash1->CurrentFrame() >= total - 1;
    if (player_.tick(atEnd) == puzzles::SongPlayer::Tick::PlayNext)
        play(player_.item());
    else
        showState();
}

void Tfrmyyzzl::imgfullClick() {
    imgfull1->hide();
    fullScreen_->enter();
    showState(); // the selection stays
    myShockwaveFlash1->SetFocus();
}

void Tfrmyyzzl::btnpicClick() {
    fullScreen_->leave({900, 700}, {14, 83, 697, 577});
    myShockwaveFlash1->SetFocus();
    showState();
}

bool Tfrmyyzzl::inFullScreen() const {
    return fullScreen_->active();
}

void Tfrmyyzzl::FormKeyDown(int key) {
    if (key == Qt::Key_Escape && inFullScreen())
        btnpicClick();
}

void Tfrmyyzzl::keyPressEvent(QKeyEvent* e) {
    guarded([this, e] { FormKeyDown(e->key()); });
    TActivityForm::keyPressEvent(e);
}

void Tfrmyyzzl::pictureButtonDown(TImage* button) {
    if (button->Tag() == -2) // the list, full-screen and automatic buttons click silently
        TActivityForm::pictureButtonDown(button);
}

void Tfrmyyzzl::tmr1Timer() {
    tmr1->setEnabled(false);
    showMissingPlayerNotice(this);
}

TForm::CloseAction Tfrmyyzzl::FormClose() {
    Timer2->setEnabled(false);
    btnpic->hide(); // a window of its own: it would outlive the form by a moment
    shell::unparkMainWindow();
    if (frmyyzzl == this)
        frmyyzzl = nullptr;
    return CloseAction::Free;
}
