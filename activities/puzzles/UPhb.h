#pragma once
// The leaderboard of one timed game: the five ranks as the score file holds them.

#include "ui_UPhb.h"

#include <QDialog>
#include <QPointer>

extern QString PhbPrefix; // "ZBN" or "PTX"

class Tfrmphb : public QDialog, public Ui::Tfrmphb {
    Q_OBJECT
public:
    explicit Tfrmphb(QWidget* parent = nullptr);
    // Fills the fifteen labels from the score file.
    void FormShow();
};

extern QPointer<Tfrmphb> frmphb;

namespace puzzles {
// Made for one modal showing with the game's caption, freed right after.
void showLeaderboard(const QString& prefix, const QString& caption);
} // namespace puzzles
