#pragma once
// The sixteen-picture practice: an animal's English name is heard and its picture is
// found among sixteen pictures of the whole table. Opened by the picture menu.

#include "activities/language/PracticeForm.h"
#include "ui_UKtrwZhlx.h"

#include <QPointer>

class TfrmKtrwZhlx : public TPicturePracticeForm, public Ui::TfrmKtrwZhlx {
    Q_OBJECT
public:
    explicit TfrmKtrwZhlx(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

protected:
    void FormShow() override { startPractice(true); }
    CloseAction FormClose() override;
};

extern QPointer<TfrmKtrwZhlx> frmKtrwZhlx;
