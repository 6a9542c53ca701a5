#pragma once
// What the two arithmetic drills share: the question line with its blank and answer
// overlay, four answer buttons, the counters, the clock, the sign and the pause
// before the next question, and the help (rhyme tables) and close buttons.

#include "activities/common/AnswerRound.h"
#include "activities/math/DrillRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"

#include <array>

class QLabel;
class TFlatRadioButton;
class TImage;

class TArithDrillForm : public TActivityForm {
    Q_OBJECT
public:
    explicit TArithDrillForm(QWidget* parent = nullptr);

    TTimer* Timer1 = nullptr; // the clock; Tag counts seconds
    TTimer* Timer2 = nullptr; // the pause after an answer, 1000 ms

    // Handlers, public so that tests drive them as the child would.
    void imgaClick(int answer); // 0..3
    void imgnextClick();
    void Timer1Timer();
    void Timer2Timer();
    void imghelpClick();
    void imgfhClick();

    const math::DrillQuestion& question() const { return question_; }
    const common::AnswerRound& round() const { return round_; }

protected:
    // Finds the shared components by name and connects them; call after setupUi.
    void bindDrill();
    // Draws and shows the next question of the mode the range buttons select now.
    virtual void NewQuestion() = 0;
    // Shows the parts every drill question has: the line, the overlay, the answers.
    void showQuestion(const math::DrillQuestion& q);
    // The range buttons; checking one starts a question of the new range at once.
    void rangeClick();
    virtual int selectedMode() const = 0;

    void FormShow() override;
    CloseAction FormClose() override;

    QLabel* lbltopic_ = nullptr;
    QLabel* lblkey_ = nullptr;
    QLabel* lblpd_ = nullptr;
    TFlatRadioButton* rb1_ = nullptr;

private:
    void answered(common::Verdict verdict, bool withSound);
    void showTally();
    void placeAnswerOverBlank(const math::DrillQuestion& q);

    std::array<TImage*, 4> answers_{};
    std::array<QLabel*, 4> labels_{};
    QLabel* lbltotal_ = nullptr;
    QLabel* lblright_ = nullptr;
    QLabel* lblwrong_ = nullptr;
    QLabel* lbltime_ = nullptr;
    math::DrillQuestion question_;
    common::AnswerRound round_;
    int questionMode_ = -1;
    bool settingRange_ = false;
};
