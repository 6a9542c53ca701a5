#pragma once
// The lesson-movie player: the lessons of one of twelve categories, each a movie of
// the category's content pack, played one at a time, stepped through, shown full
// screen. The mathematics, English and Chinese menus open a new player for each
// category they offer; it frees itself on close and brings that menu back.

#include "app/TForm.h"
#include "ui_Ukjxx.h"

#include <QPointer>
#include <map>
#include <memory>
#include <vector>

class MovieFullScreen;
class QAction;
class QMenu;
class TTimer;

namespace platform {
class ContentPack;
}

namespace kjxx {

// One lesson: its title and the frame it starts on (0: as the movie itself starts).
struct Lesson {
    QString title;
    int startFrame = 0;
};

// A category: its name (the player's caption), the pack's prefix, and the names of its
// title image, its hidden list of titles, its popup menu and the menu it returns to.
struct Category {
    const char* name;
    const char* prefix;
    const char* titleImage;
    const char* listBox;
    const char* popup;
    const char* header; // the popup's list header
    const char* menu;   // class of the opening menu
};

const std::vector<Category>& categories();
const Category* categoryByName(const QString& name);

// A list of lessons, one per line: the title, optionally a tab and its start frame;
// lines starting with '#' and empty lines are skipped.
std::vector<Lesson> parseLessons(const QString& text);
// The lessons of a category, from the program's resource ":/kjxx/<prefix>.txt".
std::vector<Lesson> lessonsOf(const Category& category);

// Categories of games that take keys: their movie gets the focus, the others' the list.
bool movieTakesFocus(const QString& prefix);
// Whether a lesson with a start frame plays on from it ("sxyx" games wait for the child).
bool playsOnFromStartFrame(const QString& prefix);

// Entries of every popup before its first title.
constexpr int kFixedEntries = 9;

} // namespace kjxx

class Tfrmkjxx : public TForm, public Ui::Tfrmkjxx {
    Q_OBJECT
public:
    explicit Tfrmkjxx(QWidget* parent = nullptr);
    // Every lesson movie of every category.
    static QStringList dataPaths();
    ~Tfrmkjxx() override;

    TTimer* tmr1 = nullptr;

    // What the opening menu sets before showing: the caption, the category's title
    // image alone, and the list of its titles.
    Q_INVOKABLE void openCategory(const QString& category);
    // Selects the first lesson of the list and plays it.
    Q_INVOKABLE void playFirstLesson();
    // The category of the visible title image, or null.
    const kjxx::Category* visibleCategory() const;
    QMenu* popupMenu(const QString& popupName) const;
    QString prefix() const { return prefix_; }
    bool inFullScreen() const;

    // Handlers, public so that tests drive them as the child would.
    void lbmlClick();
    void imgplayClick();
    void imgbackClick();
    void imgnextClick();
    void imgexitClick();
    void N47Click(QAction* entry);
    void chkrecClick();
    void btnpicClick();
    void FormKeyDown(int key);
    void tmr1Timer();

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void FormCreate();
    QMenu* buildPopup(const kjxx::Category& category, const std::vector<kjxx::Lesson>& lessons);
    // Loads the selected title's movie and takes it to its start frame.
    void loadSelected();
    int startFrameOf(int index) const;
    void selectAndPlay(int index);

    QString prefix_;
    std::shared_ptr<platform::ContentPack> pack_;
    std::map<QString, QMenu*> popups_;
    std::unique_ptr<MovieFullScreen> fullScreen_;
};

extern QPointer<Tfrmkjxx> frmkjxx;
