#pragma once
// The word browser: a list of English words; choosing one shows the word, its meaning
// and its movie. From here the mixed English quiz and the pair game open. A new
// window is made for every opening and freed on close.

#include "activities/language/LanguageForm.h"
#include "activities/language/XxdctRules.h"
#include "ui_Uxxdct.h"

#include <QPointer>
#include <memory>

namespace platform {
class ContentPack;
}

class Tfrmxxdct : public TLanguageForm, public Ui::Tfrmxxdct {
    Q_OBJECT
public:
    explicit Tfrmxxdct(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    const language::WordBrowser& browser() const { return browser_; }

    void LSBListClick();
    void imgpreClick();
    void imgnextClick();
    void imglxClick();
    void imgautoClick();

protected:
    void FormShow() override;
    CloseAction FormClose() override;

private:
    void fillList();
    void showMovie(const QString& word);
    void clearMovie();
    void showCaptions();

    language::WordBrowser browser_;
    std::shared_ptr<platform::ContentPack> pack_;
    // The captions' type; a word or meaning too long for its label is set smaller.
    static constexpr int kEnglishPixels = 56;
    static constexpr int kChinesePixels = 35;
};

extern QPointer<Tfrmxxdct> frmxxdct;
