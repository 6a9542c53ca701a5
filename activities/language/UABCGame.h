#pragma once
// The letter game: a letter is spoken, four letters on balloons fall; opened from the
// letters window and back to it on close.

#include "activities/language/FallingQuizForm.h"
#include "ui_UABCGame.h"

#include <QPointer>

class Tfrmabcgame : public TFallingQuizForm, public Ui::Tfrmabcgame {
    Q_OBJECT
public:
    explicit Tfrmabcgame(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    QString entryText(int entry) const override { return QString(QChar('A' + entry)); }
    void setItemText(int item, const QString& text) override;
    QString promptSound() const override;
    bool rightSoundPlays() const override { return true; }
};

extern QPointer<Tfrmabcgame> frmabcgame;
