#pragma once
// The picture puzzle: drag the scattered pieces onto their slots against the clock.

#include "activities/puzzles/PtxRules.h"
#include "activities/puzzles/ScoreFile.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_Uptx.h"

#include <QImage>
#include <QPointer>

class Tfrmptx : public TActivityForm, public Ui::Tfrmptx {
    Q_OBJECT
public:
    explicit Tfrmptx(QWidget* parent = nullptr);

    TTimer* Timer1 = nullptr; // the game clock; runs while a picture is played

    void imgnextClick();
    void Timer1Timer();
    void picnewgameClick();
    void imggzClick();
    const puzzles::PuzzleGame& game() const { return game_; }
    TFlatPanel* piece(int k) const;
    TFlatPanel* slot(int k) const;
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

    puzzles::PuzzleGame game_;
    puzzles::ScoreTable table_;
    QImage picture_;
    QPoint grab_;
    int dragging_ = 0;
    int bonusTicks_ = 0;
};

extern QPointer<Tfrmptx> frmptx;
