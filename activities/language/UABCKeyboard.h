#pragma once
// The keyboard game: letters and digits fall down the screen; typing one shoots it
// with a small explosion and a "ding", one reaching the bottom panel is missed.

#include "activities/language/ABCKeyboardRules.h"
#include "app/TActivityForm.h"
#include "app/TTimer.h"
#include "ui_UABCKeyboard.h"

#include <QPointer>
#include <array>

class TfrmABCKeyboard : public TActivityForm, public Ui::TfrmABCKeyboard {
    Q_OBJECT
public:
    explicit TfrmABCKeyboard(QWidget* parent = nullptr);

    // Every data file the window can ask for.
    static QStringList dataPaths();
    ~TfrmABCKeyboard() override;

    TTimer* Timer1 = nullptr; // the fall clock, 38 ms

    void Timer1Timer();
    void FormKeyPress(QChar key);
    void btnreturnClick();

    const language::KeyboardGame& game() const { return game_; }

protected:
    void FormShow() override;
    CloseAction FormClose() override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void placeLabels();
    void showCounters();
    void playEffect(const QString& file);
    void showStatus(const QString& text);
    void showSpeedChoice();
    void fitStatus();
    void placeSpeedCaptions();
    bool eventFilter(QObject* watched, QEvent* event) override;

    static constexpr int kStatusPixels = 16;
    static constexpr TColor kChosen{0x0000D4FF}; // the yellow of the counters

    std::array<QLabel*, language::kFallerCount> labels_{};
    std::array<TFlatRadioButton*, 3> speeds_{};
    std::array<QLabel*, 3> speedCaptions_{}; // "慢", "中", "快" beside their circles
    std::array<TTransparentFlashHostControl*, 3> explosions_{};
    std::array<language::Explosion, 3> bursts_{};
    language::KeyboardGame game_;
    quint32 stream_ = 0; // the game's own sound stream
};

extern QPointer<TfrmABCKeyboard> frmABCKeyboard;
