#include "app/SectionMenu.h"

#include "app/Guard.h"
#include "app/MissingPlayer.h"
#include "app/ShellState.h"
#include "app/TTimer.h"
#include "app/UMain.h"
#include "content/tables/MenuButtons.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/MovieBackend.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/ShellOpen.h"

#include <QFile>

std::function<void()> TSectionMenu::playClick = [] { shell::playClick(); };

MenuCommand MenuCommand::open(const QString& command, const QString& className, LeaveMode leave,
                              FormSettings before, FormSettings after) {
    MenuCommand row;
    row.command = command;
    row.target = className;
    row.leave = leave;
    row.before = std::move(before);
    row.after = std::move(after);
    return row;
}

MenuCommand MenuCommand::openNew(const QString& command, const QString& className,
                                 LeaveMode leave) {
    MenuCommand row = open(command, className, leave);
    row.alwaysNew = true;
    return row;
}

MenuCommand MenuCommand::player(const QString& command, const QString& category) {
    MenuCommand row;
    row.command = command;
    row.kind = Kind::Player;
    row.target = category;
    row.alwaysNew = true;
    row.leave = LeaveMode::Park;
    return row;
}

MenuCommand MenuCommand::exit() {
    MenuCommand row;
    row.command = QString::fromUtf8(menus::kExit);
    row.kind = Kind::Exit;
    return row;
}

TSectionMenu::TSectionMenu(const QString& caption, const QString& movie,
                           std::vector<MenuCommand> table, std::optional<MenuCommand> otherwise)
    : TForm(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      table_(std::move(table)), otherwise_(std::move(otherwise)) {
    setCaption(caption);
    setFixedSize(900, 675);
    MyShockwaveFlash1 = new TFlashHostControl(this);
    MyShockwaveFlash1->setObjectName(QStringLiteral("MyShockwaveFlash1"));
    MyShockwaveFlash1->setGeometry(rect());
    MyShockwaveFlash1->setWMode(QStringLiteral("Window"));
    MyShockwaveFlash1->setScale(QStringLiteral("ShowAll"));
    MyShockwaveFlash1->setQuality(1);
    MyShockwaveFlash1->setQuality2(QStringLiteral("High"));
    // A menu's movie stands on its frame and keeps nothing else: while the menu is hidden
    // its player gives back its memory, and the movie is reloaded there when it shows.
    if (flashhost::MovieBackend* player = MyShockwaveFlash1->backend()) {
        player->setReloadable(true);
        // Until the player has drawn the movie, the menu shows its first frame as a picture.
        QFile first(QStringLiteral(":/flash/") + movie + QStringLiteral(".first"));
        if (first.open(QIODevice::ReadOnly))
            player->setPoster(first.readAll());
    }
    connect(MyShockwaveFlash1, &TFlashHostControl::OnFSCommand, this,
            [this](const QString& command, const QString& args) {
                guarded([&] { MyShockwaveFlash1FSCommand(command, args); });
            });
    tmr1 = new TTimer(this, 100, false);
    connect(tmr1, &TTimer::OnTimer, this, [this] { guarded([this] { tmr1Timer(); }); });
    FormCreate(movie);
    centreOnScreen();
}

void TSectionMenu::FormCreate(const QString& movie) {
    if (!IsFlashInstalled())
        tmr1->setEnabled(true);
    // Without its movie the menu still opens: the child can close it and is back home.
    QFile stream(QStringLiteral(":/flash/") + movie);
    if (stream.open(QIODevice::ReadOnly))
        MyShockwaveFlash1->LoadMovieFromStream(0, stream);
    else
        qWarning("menu movie %s is missing", qPrintable(movie));
}

void TSectionMenu::tmr1Timer() {
    tmr1->setEnabled(false);
    showMissingPlayerNotice(this);
}

TForm::CloseAction TSectionMenu::FormClose() {
    if (Frmmain)
        Frmmain->Show();
    return CloseAction::Hide;
}

void TSectionMenu::MyShockwaveFlash1FSCommand(const QString& command, const QString&) {
    swallowed([] { playClick(); });
    for (const MenuCommand& row : table_) {
        if (row.command == command) {
            run(row);
            return;
        }
    }
    if (otherwise_)
        run(*otherwise_);
}

void TSectionMenu::run(const MenuCommand& row) {
    switch (row.kind) {
    case MenuCommand::Kind::Exit:
        close();
        return;
    case MenuCommand::Kind::Player:
        openPlayer(row);
        return;
    case MenuCommand::Kind::Open:
        break;
    }
    // What the row does first happens only once its window exists, so a command whose
    // window cannot be made changes nothing.
    FormSettings before = row.before;
    if (row.first)
        before = FormSettings([first = row.first](QWidget*) { swallowed(first); }) + before;
    QWidget* w = openFrom(this, row.target, row.leave, row.alwaysNew, before);
    if (w && row.after)
        swallowed([&] { row.after(w); });
}

void TSectionMenu::openPlayer(const MenuCommand& row) {
    const QString category = row.target;
    QWidget* w = openFrom(
        this, QStringLiteral("Tfrmkjxx"), row.leave, row.alwaysNew, [category](QWidget* player) {
            QMetaObject::invokeMethod(player, "openCategory", Qt::DirectConnection,
                                      Q_ARG(QString, category));
        });
    if (w && w->isVisible())
        swallowed([w] { invoke("playFirstLesson")(w); });
}
