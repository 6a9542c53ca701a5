#pragma once
// The multiplication and division drill: products up to 100 and even divisions.

#include "activities/math/ArithDrillForm.h"
#include "activities/math/CcfRules.h"
#include "ui_Uccf.h"

#include <QPointer>

class Tfrmccf : public TArithDrillForm, public Ui::Tfrmccf {
    Q_OBJECT
public:
    explicit Tfrmccf(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    bool multiplying() const { return rb1->Checked(); }
    const math::MulDivQuestion& mulDiv() const { return current_; }

protected:
    void NewQuestion() override;
    int selectedMode() const override { return multiplying() ? 0 : 1; }

private:
    math::MulDivQuestion current_;
};

extern QPointer<Tfrmccf> frmccf;
