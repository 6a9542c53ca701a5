#pragma once
// Base of the activity windows: the background music stops while the window is
// shown and resumes when it closes (both only with the music switch on), the close
// brings back the window that opened it (shown again, or re-centred), and the shell's
// sounds and right/wrong pictures are at hand, so a window never reaches into the
// main window.

#include "app/TForm.h"

#include <QPixmap>

class TActivityForm : public TForm {
    Q_OBJECT
public:
    // A single border with the close box, unless the window names another frame.
    explicit TActivityForm(QWidget* parent = nullptr, Qt::WindowFlags flags = frame::Single);

protected:
    // Speech and effects on the shared stream ("DATA\Sound\x.mp3"); see ActivitySound.h.
    static bool playSound(const QString& windowsPath, bool report = true);
    static void stopSound();
    // A short WAV on the click channel.
    static void playWave(const QString& windowsPath);
    static void playClick();
    // "DATA\bgsnd\right.WAV" or "DATA\bgsnd\wrong.WAV" on the shared stream.
    static void playJudgement(bool right, bool report = true);
    // The main window's right and wrong signs.
    static QPixmap judgementPicture(bool right);

    // Windows whose rules say otherwise turn these off.
    bool stopsMusic_ = true;
    bool returnsToOpener_ = true;

    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};
