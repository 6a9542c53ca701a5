#pragma once
// Switches the hover, pressed and latched looks of a picture button.
//
// A picture button is a TImage whose Tag is -1 .. -6; its looks are sibling TImages
// named like it with 1..4 appended ("imgexit1"). States are "MVEnter", "MVLeave",
// "MVDown" and "MVUp", compared exactly. Anything else does nothing.

#include <QString>

class QObject;

void SetBtnState(QObject* Sender, const QString& State);
