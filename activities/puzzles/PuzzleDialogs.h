#pragma once
// What the score dialogs share: their modal run (tests replace it so that nothing
// waits in a modal loop) and the wiring of their picture buttons.

#include <QDialog>
#include <functional>

namespace puzzles {

using ModalRunner = std::function<int(QDialog&)>;
// Null restores QDialog::exec.
void setModalRunner(ModalRunner runner);
int runModal(QDialog& dialog);

// Hover, pressed and released looks with the click sound, as on the windows.
void wireDialogButtons(QWidget* dialog);

} // namespace puzzles
