#pragma once
// Spot the difference: two nearly equal pictures, five differences to click against
// the clock, 25 pairs in five stages.

#include "activities/puzzles/ScoreFile.h"
#include "activities/puzzles/ZbnRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_UZbn.h"

#include <QPointer>
#include <array>
#include <memory>

namespace platform {
class ContentPack;
}

class Tfrmzbn : public TActivityForm, public Ui::Tfrmzbn {
    Q_OBJECT
public:
    explicit Tfrmzbn(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // the clock
    TTimer* Timer2 = nullptr; // the pause before the next pair
    TTimer* Timer4 = nullptr; // plays the right or wrong sound once

    void imgnextClick();
    void shp1MouseDown(int k);
    void pic1Click();
    void Timer1Timer();
    void Timer2Timer();
    void Timer4Timer();
    void imggzClick();
    const puzzles::SpotGame& game() const { return game_; }
    TShape* shape(int k, bool right) const {
        return shapes_[right ? 1 : 0][static_cast<size_t>(k - 1)];
    }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NextPicture();
    void placeCursor(TShape* square, QPoint topLeft);

    std::array<std::array<TShape*, 5>, 2> shapes_{};
    std::shared_ptr<platform::ContentPack> pack_;
    puzzles::SpotGame game_;
    puzzles::ScoreTable table_;
    bool right_ = false;
};

extern QPointer<Tfrmzbn> frmzbn;
