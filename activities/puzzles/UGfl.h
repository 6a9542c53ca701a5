#pragma once
// Sorting into classes: tick the pictures of the asked class among twelve, then check.

#include "activities/puzzles/GflRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_UGfl.h"

#include <QPointer>
#include <array>

class Tfrmgfl : public TActivityForm, public Ui::Tfrmgfl {
    Q_OBJECT
public:
    explicit Tfrmgfl(QWidget* parent = nullptr);
    // Every data file the window can ask for.
    static QStringList dataPaths();

    TTimer* Timer1 = nullptr; // question clock; the question is open while it runs
    TTimer* Timer2 = nullptr; // hover zoom

    void NewQuestion();
    void pic1Click(int pic);
    void pic1MouseMove(int pic);
    void Timer1Timer();
    void Timer2Timer();
    void imgokClick();
    const puzzles::SortRound& round() const { return round_; }
    TImage* picture(int pic) const { return pics_[static_cast<size_t>(pic - 1)]; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;

private:
    static QPoint home(int pic);
    void pressed(int pic, int step);
    void hideHover();
    void homeAll(int except = 0);
    void showTicks();

    std::array<TImage*, puzzles::kSortPictures> pics_{};
    std::array<QWidget*, puzzles::kSortPictures> ticks_{}, frames_{};
    std::array<QWidget*, puzzles::kSortMaxPicks> trayPanels_{};
    std::array<TImage*, puzzles::kSortMaxPicks> tray_{};
    puzzles::SortRound round_;
    int hovered_ = 0;
};

extern QPointer<Tfrmgfl> frmgfl;
