#pragma once
// Characters: choosing a character plays its stroke-order movie, shows a word with
// the character, its pinyin and the word's picture, and speaks the character.

#include "activities/chinese/XhzRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_Uxhz.h"

#include <QPointer>
#include <memory>

namespace platform {
class ContentPack;
}

class Tfrmxhz : public TActivityForm, public Ui::Tfrmxhz {
    Q_OBJECT
public:
    explicit Tfrmxhz(QWidget* parent = nullptr);

    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // the automatic learning's step

    void lbmlClick();
    void imgbackClick();
    void imgnextClick();
    void imgpracClick();
    void Image1Click();
    void ShockwaveFlash1Click();
    void chkrecClick();
    void Timer1Timer();
    void imgexitClick();

    const chinese::CharacterLesson& lesson() const { return lesson_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCharacter();

    std::shared_ptr<platform::ContentPack> pack_;
    chinese::CharacterLesson lesson_;
};

extern QPointer<Tfrmxhz> frmxhz;
