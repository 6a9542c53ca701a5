#pragma once
// Ordering by comparison: drag four cards into the slots from the most to the least,
// then check.

#include "activities/common/AnswerRound.h"
#include "activities/math/BybRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_Ubyb.h"

#include <QPointer>
#include <array>

class Tfrmbyb : public TActivityForm, public Ui::Tfrmbyb {
    Q_OBJECT
public:
    explicit Tfrmbyb(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // the pause after a check, 1000 ms
    TTimer* Timer2 = nullptr; // seconds on the current question

    void imgokClick();
    void imgnextClick();
    void Timer1Timer();
    void Timer2Timer();
    void imgfhClick();

    // Dragging card 0..3 by its grip: pick it up, move it, let it go.
    bool pickUp(int card);
    void dragTo(int card, QPoint topLeft);
    void letGo(int card);

    const math::CompareQuestion& question() const { return question_; }
    const math::CardBoard& board() const { return board_; }
    const common::AnswerRound& round() const { return round_; }
    QWidget* card(int k) const { return cards_[static_cast<size_t>(k)]; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    common::AnswerRound round_;
    void NewQuestion();
    void placeCards();

    std::array<TFlatPanel*, 4> cards_{};
    std::array<TImage*, 4> pics_{};
    std::array<QLabel*, 4> labels_{};
    std::array<TShape*, 4> grips_{};
    math::CompareQuestion question_;
    math::CardBoard board_;
    int dragging_ = -1;
    QPoint grabOffset_;
};

extern QPointer<Tfrmbyb> frmbyb;
