#pragma once
// The four-picture practice of the animals, opened from the picture browser and
// returning to it.

#include "activities/language/PracticeForm.h"
#include "ui_Uktrwlx.h"

#include <QPointer>

class Tfrmktrwlx : public TPicturePracticeForm, public Ui::Tfrmktrwlx {
    Q_OBJECT
public:
    explicit Tfrmktrwlx(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

protected:
    void FormShow() override { startPractice(false); }
    CloseAction FormClose() override;
};

extern QPointer<Tfrmktrwlx> frmktrwlx;
