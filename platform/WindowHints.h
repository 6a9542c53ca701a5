#pragma once
// What the window manager is told about a window before it maps it again.

class QWidget;

namespace platform {

// Makes the window start in its normal state the next time it is mapped. Minimising a
// window writes "start iconic" into its X11 hints, and a window manager that restores it
// leaves that there, so every later show would bring it back minimised. Does nothing
// on other window systems or for a window not made yet.
void startInNormalState(QWidget* window);

} // namespace platform
