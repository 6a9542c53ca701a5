#pragma once
// The picture puzzle: drag the scattered pieces onto their slots against the clock.

#include "activities/puzzles/PtxRules.h"
#include "activities/puzzles/ScoreFile.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_Uptx.h"

#include <QImage>
#include <QPointer>
#include <array>

class Tfrmptx : public TActivityForm, public Ui::Tfrmptx {
    Q_OBJECT
public:
    explicit Tfrmptx(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // the game clock; runs while a picture is played

    void imgnextClick();
    void Timer1Timer();
    void picnewgameClick();
    void imggzClick();
    const puzzles::PuzzleGame& game() const { return game_; }
    TFlatPanel* piece(int k) const { return pieces_[static_cast<size_t>(k - 1)]; }
    TFlatPanel* slot(int k) const { return slots_[static_cast<size_t>(k - 1)]; }
    // The drag of piece k: pressed, moved by the mouse, dropped.
    void pieceDown(int k, QPoint at);
    void pieceMove(int k, QPoint at);
    void pieceUp(int k);

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void NextPicture();
    void CutPicture();
    void showScore();
    bool loadPicture(int n, QImage& into);

    std::array<TFlatPanel*, puzzles::kMaxPieces> pieces_{}, slots_{};
    std::array<TImage*, puzzles::kMaxPieces> images_{};
    puzzles::PuzzleGame game_;
    puzzles::ScoreTable table_;
    QImage picture_;
    QPoint grab_;
    int dragging_ = 0;
    int bonusTicks_ = 0;
};

extern QPointer<Tfrmptx> frmptx;
