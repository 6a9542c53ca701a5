#pragma once
// Finding patterns: complete a sequence of numbers or letters from four answers.

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

    TTimer* Timer1 = nullptr; // the pause after an answer, 1000 ms
    TTimer* Timer2 = nullptr; // seconds on the current question

    void imgaClick(TImage* answer);
    void imgnextClick();
    void Timer1Timer();
    void Timer2Timer();
    void imgfhClick();

    const math::PatternQuestion& question() const { return question_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;

private:
    void NewQuestion();

    std::array<TImage*, 4> answers_{};
    std::array<QLabel*, 4> labels_{};
    math::PatternQuestion question_;
};

extern QPointer<Tfrmzgl> frmzgl;
