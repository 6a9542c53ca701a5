#pragma once
// The counting quiz "数一数": ten topics drawn at random from its bank.

#include "activities/math/QuizForm.h"

#include <QPointer>
#include <memory>

namespace Ui {
class Tfrmsys;
}

class Tfrmsys : public TQuizForm {
    Q_OBJECT
public:
    explicit Tfrmsys(QWidget* parent = nullptr);
    ~Tfrmsys() override;

private:
    std::unique_ptr<Ui::Tfrmsys> ui_;
};

extern QPointer<Tfrmsys> frmsys;
