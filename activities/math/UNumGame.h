#pragma once
// The number pair game: click two numbers that add up to (or differ by) the target;
// fitting pairs vanish, the game is won when the board is empty and lost after 30
// minutes.

#include "activities/math/NumGameRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_UNumGame.h"

#include <QPointer>
#include <array>

class TFlatButton;

class Tfrmnumgame : public TActivityForm, public Ui::Tfrmnumgame {
    Q_OBJECT
public:
    explicit Tfrmnumgame(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // the game clock; Tag counts seconds, Enabled = running

    void imgnextClick();
    void CellClick(TFlatButton* cell);
    void Timer1Timer();
    void imggzClick();
    void imgexitClick();

    // The 9 by 9 cells (row-major) and the running game.
    TFlatButton* cell(int row, int col) const;
    const math::PairGame& game() const { return game_; }
    // The cell of the running board at an index of the game's board.
    TFlatButton* boardCell(int index) const;

    static constexpr TColor kFace = 0x0011AE60;
    static constexpr TColor kSelected = 0x000A893D;

protected:
    void FormShow() override;
    CloseAction FormClose() override;

private:
    void FormCreate();
    void BuildGrid();
    int level() const;

    std::array<TFlatButton*, 81> NumberCells{};
    math::PairGame game_;
    math::PairMode PairMode = math::PairMode::Sum;
};

extern QPointer<Tfrmnumgame> frmnumgame;
