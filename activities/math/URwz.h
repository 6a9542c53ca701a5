#pragma once
// The positions quiz "认位置": the first ten topics of its bank, the tenth first.

#include "activities/math/QuizForm.h"

#include <QPointer>
#include <memory>

namespace Ui {
class Tfrmrwz;
}

class Tfrmrwz : public TQuizForm {
    Q_OBJECT
public:
    explicit Tfrmrwz(QWidget* parent = nullptr);
    ~Tfrmrwz() override;

private:
    std::unique_ptr<Ui::Tfrmrwz> ui_;
};

extern QPointer<Tfrmrwz> frmrwz;
