#pragma once
// The name dialog of a new high score, and the offer to save made when a timed game
// closes.

#include "activities/puzzles/ScoreFile.h"
#include "ui_Ugamesave.h"

#include <QDialog>
#include <QPointer>

class Tfrmgamesave : public QDialog, public Ui::Tfrmgamesave {
    Q_OBJECT
public:
    explicit Tfrmgamesave(QWidget* parent = nullptr);
    QString name() const { return txtname->text(); }

    void imgokClick() { done(1); }
    void imgexitClick() { done(2); }
};

extern QPointer<Tfrmgamesave> frmgamesave;

namespace puzzles {
// The game is closing with this score and stage (both taken before anything is asked):
// asks, shows the name dialog and saves; nothing when the game cannot be saved or the
// score does not beat the fifth place read at showing. A failed write stays silent.
void offerToSave(QWidget* game, const QString& prefix, const QString& caption,
                 const ScoreTable& read, int score, int stage, bool saveable);
} // namespace puzzles
