#pragma once
// The mixed mathematics quiz "综合练习": ten topics drawn at random, with questions in
// words on a panel of their own, and no way on without answering.

#include "activities/common/QuizForm.h"
#include "ui_uMathZHLX.h"

#include <QPointer>

class TfrmMathZHLX : public TQuizForm, public Ui::TfrmMathZHLX {
    Q_OBJECT
public:
    explicit TfrmMathZHLX(QWidget* parent = nullptr);
    static QStringList dataPaths() { return bankPaths(kBank); }

private:
    static inline const QString kBank = QStringLiteral("Data\\XML\\sxzhlx.xml");
};

extern QPointer<TfrmMathZHLX> frmMathZHLX;
