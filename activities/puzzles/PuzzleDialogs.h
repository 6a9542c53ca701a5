#pragma once
// What the score dialogs share: their modal run (tests replace it so that nothing
// waits in a modal loop) and the wiring of their picture buttons; and the frame of the
// park's windows.

#include <QDialog>
#include <functional>

namespace puzzles {

// A single border with only the system menu: no minimise (the park's menu is hidden
// behind a game, so a minimised game would leave nothing on screen) and no maximise.
inline constexpr Qt::WindowFlags kSystemMenuFrame = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                    Qt::WindowSystemMenuHint |
                                                    Qt::WindowCloseButtonHint;

using ModalRunner = std::function<int(QDialog&)>;
// Null restores QDialog::exec.
void setModalRunner(ModalRunner runner);
int runModal(QDialog& dialog);

// Hover, pressed and released looks with the click sound, as on the windows.
void wireDialogButtons(QWidget* dialog);

} // namespace puzzles
