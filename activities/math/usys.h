#pragma once
// The counting quiz "数一数": ten topics drawn at random from its bank.

#include "activities/common/QuizForm.h"
#include "ui_usys.h"

#include <QPointer>

class Tfrmsys : public TQuizForm, public Ui::Tfrmsys {
    Q_OBJECT
public:
    explicit Tfrmsys(QWidget* parent = nullptr);
    static QStringList dataPaths() { return bankPaths(kBank); }

private:
    static inline const QString kBank = QStringLiteral("Data\\XML\\数一数.xml");
};

extern QPointer<Tfrmsys> frmsys;
