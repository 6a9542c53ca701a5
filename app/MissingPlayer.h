#pragma once
// The notice shown when this computer cannot play movies, then the installer is tried.

class QWidget;

extern const char* const kMissingPlayerNotice;
void showMissingPlayerNotice(QWidget* owner);
