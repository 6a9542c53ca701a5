#pragma once
// The addition and subtraction drill in the ranges 10, 20 and 100; the easiest
// questions are acted out with counting pictures.

#include "activities/math/ArithDrillForm.h"
#include "activities/math/JJFRules.h"
#include "ui_UJJF.h"

#include <QPointer>

class Tfrmjjf : public TArithDrillForm, public Ui::Tfrmjjf {
    Q_OBJECT
public:
    explicit Tfrmjjf(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    void imggameClick();
    // The range the checked button selects: 10, 20 or 100.
    int range() const;
    const math::AddSubQuestion& addSub() const { return current_; }
    // The 18 counting pictures in order.
    QList<TImage*> pictures() const { return pics_; }

protected:
    void NewQuestion() override;
    int selectedMode() const override { return range(); }

private:
    void showPictures(const math::AddSubQuestion& s);

    math::AddSubQuestion current_;
    QList<TImage*> pics_;
};

extern QPointer<Tfrmjjf> frmjjf;
