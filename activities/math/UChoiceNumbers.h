#pragma once
// The number practice: a picture of 1 to 30 things and four numbers to pick from.

#include "activities/math/ChoiceNumbersRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_UChoiceNumbers.h"

#include <QPointer>
#include <array>
#include <memory>

namespace platform {
class ContentPack;
}

class TFrmChoiceNumbers : public TActivityForm, public Ui::TFrmChoiceNumbers {
    Q_OBJECT
public:
    explicit TFrmChoiceNumbers(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();
    ~TFrmChoiceNumbers() override;

    TTimer* Timer1 = nullptr; // hides the sign, 1000 ms
    TTimer* Timer2 = nullptr; // the clock; Tag counts seconds

    void imgaClick(int index); // 0..3
    void imgAnswerClick();
    void imgPriorClick();
    void imgNextClick();
    void cmbnumberChange();
    void Timer1Timer();
    void Timer2Timer();
    void imgcloseClick();

    // The number the open question asks for, and the order of the questions.
    int asked() const { return practice_.asked(); }
    const std::array<int, 4>& candidates() const { return candidates_; }
    const math::NumberPractice& practice() const { return practice_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NewQuestion();
    void showSign(const QString& sign, int top, const QString& judged = {});

    std::shared_ptr<platform::ContentPack> pack_;
    math::NumberPractice practice_;
    std::array<int, 4> candidates_{};
    QPoint dragOffset_;
    bool dragging_ = false;
};

extern QPointer<TFrmChoiceNumbers> FrmChoiceNumbers;
