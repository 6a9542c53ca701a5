#include "app/TCheckBox.h"

#include "app/Guard.h"

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent) {}

void TCheckBox::setChecked_(bool c) {
    if (c == isChecked())
        return;
    setChecked(c);
    guarded([this] { emit OnClick(); });
}

// A user click goes through the same path, so OnClick runs once per change.
void TCheckBox::nextCheckState() {
    setChecked_(!isChecked());
}
