#pragma once
// The picture browser: the 65 animals one at a time with picture, growing Chinese name,
// pinyin and speech, the English word 2.5 s later; a directory of ten names a page,
// automatic browsing every 6 to 10 seconds, and the way into the four-picture practice.

#include "activities/language/BrowserRules.h"
#include "activities/language/DirectoryPanel.h"
#include "activities/language/LanguageForm.h"
#include "app/TTimer.h"
#include "ui_UKtrwAll.h"

#include <QPointer>
#include <array>

class TFrmKtrwAll : public TLanguageForm, public Ui::TFrmKtrwAll {
    Q_OBJECT
public:
    explicit TFrmKtrwAll(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // 1 ms: the growing name
    TTimer* Timer2 = nullptr; // 2500 ms: the English word
    TTimer* Timer3 = nullptr; // the automatic step
    TTimer* Timer4 = nullptr; // 300 ms: applies the automatic setting

    const language::PictureBrowser& browser() const { return browser_; }
    // The picture menu shows the animals under this title.
    Q_INVOKABLE void showAnimalsTitle();
    void ShowPicture(const QString& direction);
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void imgmlnextClick();
    void imgmlbackClick();
    void Label9Click(int label);
    void txtzwClick(TClickLabel* label);
    void imglxClick();

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    void pictureButtonDown(TImage* button) override;

private:
    // The title's fonts, labels and layout.
    void setUpTitle();
    void showRow();
    void speakName();
    void fillPage();
    void stopTimers();
    void wireDirectory();

    language::PictureBrowser browser_;
    TDirectoryPanel* directory_ = nullptr;
};

extern QPointer<TFrmKtrwAll> FrmKtrwAll;
