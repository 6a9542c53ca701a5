#pragma once
// The song player: three lists of animated songs (English songs, children's songs,
// nursery rhymes), each played from its own content pack, with replay, previous and
// next, a popup menu on the movie, automatic play and a full-screen mode. The main
// window's music picture opens it and parks itself; the close brings it back.

#include "activities/puzzles/SongPlayerRules.h"
#include "app/TActivityForm.h"
#include "ui_Uyyzzl.h"

#include <QPointer>
#include <map>
#include <memory>

class MovieFullScreen;
class QAction;
class QMenu;
class TTimer;

namespace platform {
class ContentPack;
}

class Tfrmyyzzl : public TActivityForm, public Ui::Tfrmyyzzl {
    Q_OBJECT
public:
    explicit Tfrmyyzzl(QWidget* parent = nullptr);
    ~Tfrmyyzzl() override;

    TTimer* tmr1 = nullptr;   // the notice of a missing player, once after creation
    TTimer* Timer2 = nullptr; // automatic play; Tag: ticks the song rests on its last frame

    // Every song of every list: the data the window can ask for.
    static QStringList dataPaths();

    const puzzles::SongPlayer& player() const { return player_; }
    QMenu* popupMenu(puzzles::SongList list) const { return popups_.at(list); }
    bool inFullScreen() const;

    // Handlers, public so that tests drive them as the child would.
    void LoadSongList(puzzles::SongList list);
    void lbmlClick();
    void imgplayClick();
    void imgbackClick();
    void imgnextClick();
    void imgexitClick();
    void wheels1Click(QAction* entry);
    void imgEnSongClick();
    void imgchsongClick();
    void imgtongyaoClick();
    void imgautoClick();
    void imgfullClick();
    void btnpicClick();
    void FormKeyDown(int key);
    void tmr1Timer();
    void Timer2Timer();

protected:
    CloseAction FormClose() override;
    void pictureButtonDown(TImage* button) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void FormCreate();
    QMenu* buildPopup(const puzzles::SongListInfo& info, const QStringList& titles);
    // Plays a pack item the rules chose (nothing for an empty one) and shows the state.
    void play(const QString& item);
    void showState();

    puzzles::SongPlayer player_;
    std::shared_ptr<platform::ContentPack> pack_;
    std::map<puzzles::SongList, QMenu*> popups_;
    std::unique_ptr<MovieFullScreen> fullScreen_;
};

extern QPointer<Tfrmyyzzl> frmyyzzl;
