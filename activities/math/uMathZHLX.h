#pragma once
// The mixed mathematics quiz "综合练习": ten topics drawn at random, with questions in
// words on a panel of their own, and no way on without answering.

#include "activities/math/QuizForm.h"

#include <QPointer>
#include <memory>

namespace Ui {
class TfrmMathZHLX;
}

class TfrmMathZHLX : public TQuizForm {
    Q_OBJECT
public:
    explicit TfrmMathZHLX(QWidget* parent = nullptr);
    ~TfrmMathZHLX() override;

private:
    std::unique_ptr<Ui::TfrmMathZHLX> ui_;
};

extern QPointer<TfrmMathZHLX> frmMathZHLX;
