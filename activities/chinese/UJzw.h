#pragma once
// The riddle and saying browser: brain teasers, riddles and two-part sayings paged by
// number, the answer covered until the child asks for it.

#include "activities/chinese/JzwRules.h"
#include "app/TActivityForm.h"
#include "ui_UJzw.h"

#include <QPointer>

class Tfrmjzw : public TActivityForm, public Ui::Tfrmjzw {
    Q_OBJECT
public:
    explicit Tfrmjzw(QWidget* parent = nullptr);

    // The opener's mode: the brain teasers, with the answer covered.
    Q_INVOKABLE void selectBrainTeasers();
    Q_INVOKABLE void coverAnswer();

    void categoryClick(chinese::Collection c);
    void cmbnumberChange();
    void imgkeyClick();
    void imganswerClick();
    void imgpreClick();
    void imgnextClick();
    void imgfhClick();

    const chinese::RiddleBrowser& browser() const { return browser_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;

private:
    void fillNumbers();
    void showItem();
    void showAnswerState();
    void showCategory();
    void fitQuestion();

    static constexpr int kQuestionPixels = 32;
    chinese::RiddleBrowser browser_;
};

extern QPointer<Tfrmjzw> frmjzw;
