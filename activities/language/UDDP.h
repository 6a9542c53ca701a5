#pragma once
// The word pair game: click an English word and its Chinese meaning to remove both,
// before the life bar runs out.

#include "activities/language/DdpRules.h"
#include "activities/language/LanguageForm.h"
#include "app/TTimer.h"
#include "ui_UDDP.h"

#include <QPointer>
#include <array>

class TFlatButton;

class Tfrmddp : public TLanguageForm, public Ui::Tfrmddp {
    Q_OBJECT
public:
    explicit Tfrmddp(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // 1000 ms: clock and drain
    TTimer* Timer2 = nullptr; // 500 ms: hint duration

    const language::WordPairGame& game() const { return game_; }
    TFlatButton* card(int k) const { return cards_[static_cast<size_t>(k - 1)]; }

    // The word browser opens the game through this: its close then brings the music back.
    Q_INVOKABLE void openedFromWordBrowser() { fromWordBrowser_ = true; }

    void imgnextClick();
    void btn9Click(int k);
    void Timer1Timer();
    void imgtsClick();
    void Timer2Timer();
    void imggzClick();

protected:
    void FormShow() override;
    CloseAction FormClose() override;

private:
    void NewBoard();
    void showLife();
    void lifeOut(const QString& text);
    void loadBackground();

    language::WordPairGame game_;
    std::array<TFlatButton*, language::WordPairGame::kCards> cards_{};
    bool fromWordBrowser_ = false;
};

extern QPointer<Tfrmddp> frmddp;
