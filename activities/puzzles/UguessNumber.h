#pragma once
// Guess the number: four different hidden digits, each guess answered "mAnB".

#include "activities/puzzles/GuessNumberRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_UguessNumber.h"

#include <QPointer>
#include <array>

class TfrmguessNumber : public TActivityForm, public Ui::TfrmguessNumber {
    Q_OBJECT
public:
    explicit TfrmguessNumber(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // cursor blink
    TTimer* Timer2 = nullptr; // the game clock; runs exactly while a game runs

    void imgbeginClick();
    void imgoneClick(int digit);
    void imgnumAClick(int pos);
    void imgclearClick();
    void imgokClick();
    void imgkeyClick();
    void Timer1Timer();
    void Timer2Timer();
    void imggzClick();
    void FormKeyPress(QKeyEvent* e);
    const puzzles::GuessGame& game() const { return game_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The window's look at a key before `receiver`; true when the key goes no further.
    bool keyFirst(QObject* receiver, QKeyEvent* e);
    void showBoxes();
    void handle(puzzles::GuessGame::Submit outcome);
    void showWin();
    void showAnswerUnsolved(bool message);
    void endDisplay();
    QLabel* box(int pos) const;

    puzzles::GuessGame game_;
    bool passingKey_ = false; // a scroll key on its way on to the history list
};

extern QPointer<TfrmguessNumber> frmguessNumber;
