#pragma once
// The counting quiz "数一数": ten topics drawn at random from its bank.

#include "activities/common/QuizForm.h"
#include "ui_usys.h"

#include <QPointer>

class Tfrmsys : public TQuizForm, public Ui::Tfrmsys {
    Q_OBJECT
public:
    explicit Tfrmsys(QWidget* parent = nullptr);
};

extern QPointer<Tfrmsys> frmsys;
