#pragma once
// Learning the numbers 0 to 30: a big digit, its sound and English word, on request a
// picture of that many things; the number list, automatic reading and the practice.

#include "activities/math/ReadNumbersRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_UReadNumbers.h"

#include <QPointer>
#include <memory>

namespace platform {
class ContentPack;
}

class TFrmReadNumbers : public TActivityForm, public Ui::TFrmReadNumbers {
    Q_OBJECT
public:
    explicit TFrmReadNumbers(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();
    ~TFrmReadNumbers() override;

    TTimer* Timer1 = nullptr; // automatic reading step, 3800 ms
    TTimer* Timer2 = nullptr; // picture delay, 2000 ms

    // Handlers, public so that tests drive them as the child would.
    void imgoneClick(TImage* digitButton);
    void LabelClick(QLabel* listLabel);
    void cmbnumberChange();
    void imgpreClick();
    void imgnextClick();
    void imgautoClick();
    void Timer1Timer();
    void Timer2Timer();
    void chkpicClick();
    void imgmlMouseMove();
    void hideList();
    void imglxClick();
    void imgcloseClick();

    // The 31 labels of the number list, "0" to "30".
    QList<QLabel*> listLabels() const { return listLabels_; }
    int current() const { return cursor_.current(); }

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    // Shows a number: the digit, its sound, the English word, the picture timer.
    void selectNumber(int n);
    void showCurrent();
    void ShowEnglishName();
    void playNumber();

    std::shared_ptr<platform::ContentPack> pack_;
    math::NumberCursor cursor_;
    QList<QLabel*> listLabels_;
};

extern QPointer<TFrmReadNumbers> FrmReadNumbers;
