#pragma once
// The positions quiz "认位置": the first ten topics of its bank, the tenth first.

#include "activities/common/QuizForm.h"
#include "ui_URwz.h"

#include <QPointer>

class Tfrmrwz : public TQuizForm, public Ui::Tfrmrwz {
    Q_OBJECT
public:
    explicit Tfrmrwz(QWidget* parent = nullptr);
    static QStringList dataPaths() { return bankPaths(kBank); }

private:
    static inline const QString kBank = QStringLiteral("Data\\XML\\认位置.xml");
};

extern QPointer<Tfrmrwz> frmrwz;
