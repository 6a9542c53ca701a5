#pragma once
// Base of the five section menus. A menu is a window filled by its menu movie; a
// button in the movie sends a command, the menu plays the click and runs the first
// row of its command table that names the command exactly: it opens the row's window
// (or the lesson player on a category) and then hides or parks itself, or it closes.
// Each menu's own file holds only its caption, its movie and its table.

#include "app/FormRegistry.h"
#include "app/TForm.h"

#include <optional>
#include <vector>

class TFlashHostControl;
class TTimer;

// One row of a menu's command table.
struct MenuCommand {
    enum class Kind {
        Open,   // opens the window of class `target`
        Player, // opens a new lesson player on category `target`
        Exit,   // closes the menu
    };
    QString command;
    Kind kind = Kind::Open;
    QString target;
    bool alwaysNew = false;
    LeaveMode leave = LeaveMode::Hide;
    std::function<void()> first; // runs once the window exists, before it shows
    FormSettings before;         // applied to the window before it shows
    FormSettings after;          // applied once it shows

    static MenuCommand open(const QString& command, const QString& className, LeaveMode leave,
                            FormSettings before = {}, FormSettings after = {});
    static MenuCommand openNew(const QString& command, const QString& className, LeaveMode leave);
    static MenuCommand player(const QString& command, const QString& category);
    static MenuCommand exit();
};

class TSectionMenu : public TForm {
    Q_OBJECT
public:
    TFlashHostControl* MyShockwaveFlash1 = nullptr;
    TTimer* tmr1 = nullptr;

    // The movie's command; only the command is used.
    void MyShockwaveFlash1FSCommand(const QString& command, const QString& args);
    void tmr1Timer();

    // The click every command plays first; tests count it.
    static std::function<void()> playClick;

    const std::vector<MenuCommand>& commands() const { return table_; }
    const std::optional<MenuCommand>& otherwise() const { return otherwise_; }

protected:
    TSectionMenu(const QString& caption, const QString& movie, std::vector<MenuCommand> table,
                 std::optional<MenuCommand> otherwise = std::nullopt);

    CloseAction FormClose() override;

private:
    void FormCreate(const QString& movie);
    void run(const MenuCommand& row);
    void openPlayer(const MenuCommand& row);

    std::vector<MenuCommand> table_;
    std::optional<MenuCommand> otherwise_; // what a command no row names runs
};
