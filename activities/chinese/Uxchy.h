#pragma once
// Idioms: a card per idiom (the idiom, explanation, example, picture and speech) and
// its movie, which can fill the screen; the automatic mode starts the movie a while
// after a card was shown.

#include "activities/chinese/XchyRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_Uxchy.h"

#include <QPointer>
#include <memory>

class QMenu;
namespace platform {
class ContentPack;
}

class Tfrmxchy : public TActivityForm, public Ui::Tfrmxchy {
    Q_OBJECT
public:
    explicit Tfrmxchy(QWidget* parent = nullptr);

    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // 12 s after a card: the movie starts (automatic mode)
    TTimer* Timer2 = nullptr; // 10 ms: applies the automatic switch
    QMenu* popxcy = nullptr;

    void lbmlClick(); // shows the selected idiom
    void imgpreClick();
    void Timer1Timer();
    void imgstopClick();
    void imgnextClick();
    void N8Click(); // "上一个"
    void N7Click(); // "重    播"
    void N45Click(int idiom);
    void imgjieshiClick();
    void imglijuClick();
    void chkautoClick();
    void Timer2Timer();
    void lblfullClick();
    void btnpicClick();
    void imgfhClick();

    const chinese::IdiomBook& book() const { return book_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setTexts();
    void loadMovie();
    void loadPicture();
    void buildPopup();

    std::shared_ptr<platform::ContentPack> pack_;
    chinese::IdiomBook book_;
};

extern QPointer<Tfrmxchy> frmxchy;
