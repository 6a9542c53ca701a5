#pragma once
// The positions quiz "认位置": the first ten topics of its bank, the tenth first.

#include "activities/common/QuizForm.h"
#include "ui_URwz.h"

#include <QPointer>

class Tfrmrwz : public TQuizForm, public Ui::Tfrmrwz {
    Q_OBJECT
public:
    explicit Tfrmrwz(QWidget* parent = nullptr);
};

extern QPointer<Tfrmrwz> frmrwz;
