#pragma once
// Letters: a click on a letter shows its capital and small letter growing, the
// example word with its picture, and speaks the letter; the automatic mode walks
// through the alphabet.

#include "activities/language/ABCRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_UABC.h"

#include <QPointer>
#include <memory>

namespace platform {
class ContentPack;
}

class TfrmABC : public TActivityForm, public Ui::TfrmABC {
    Q_OBJECT
public:
    explicit TfrmABC(QWidget* parent = nullptr);

    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // letter growth, 1 ms
    TTimer* Timer2 = nullptr; // automatic mode, 4 s

    void imgaClick(int letter);
    void Timer1Timer();
    void Timer2Timer();
    void lbldxClick(QLabel* big);
    void imgshowClick();
    void imghelpClick();
    void imgnextClick();
    void imgfhClick();

    const language::LetterGrowth& growth() const { return growth_; }
    const language::LetterAuto& autoMode() const { return auto_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLetter(int letter);
    void showSizes();
    void showWord(const QString& word);
    void stopAuto();

    std::shared_ptr<platform::ContentPack> pack_;
    language::LetterGrowth growth_;
    language::LetterAuto auto_;
};

extern QPointer<TfrmABC> frmABC;
