#pragma once
// Finding patterns: complete a sequence of numbers or letters from four answers.

#include "activities/common/AnswerRound.h"
#include "activities/math/ZglRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_Uzgl.h"

#include <QPointer>
#include <array>

class Tfrmzgl : public TActivityForm, public Ui::Tfrmzgl {
    Q_OBJECT
public:
    explicit Tfrmzgl(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // the pause after an answer, 1000 ms
    TTimer* Timer2 = nullptr; // seconds on the current question

    void imgaClick(int answer); // 0..3
    void imgnextClick();
    void Timer1Timer();
    void Timer2Timer();
    void imgfhClick();

    const math::PatternQuestion& question() const { return question_; }
    const common::AnswerRound& round() const { return round_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;

private:
    common::AnswerRound round_;
    void NewQuestion();

    std::array<TImage*, 4> answers_{};
    std::array<QLabel*, 4> labels_{};
    math::PatternQuestion question_;
};

extern QPointer<Tfrmzgl> frmzgl;
