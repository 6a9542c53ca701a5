#pragma once
// The mixed English quiz: a word is spoken in one language, four words of the other
// fall; opened by the English menu or by the word browser, and back to where it came
// from on close.

#include "activities/language/FallingQuizForm.h"
#include "ui_UEngLishZHLX.h"

#include <QPointer>

class TfrmEngLishZHLX : public TFallingQuizForm, public Ui::TfrmEngLishZHLX {
    Q_OBJECT
public:
    explicit TfrmEngLishZHLX(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    QString entryText(int entry) const override;
    void setItemText(int item, const QString& text) override;
    QString promptSound() const override;
    void questionShown() override;
    bool rightSoundPlays() const override { return false; }
    bool canRepeat() const override { return !lblinfo->text().trimmed().isEmpty(); }
};

extern QPointer<TfrmEngLishZHLX> frmEngLishZHLX;
