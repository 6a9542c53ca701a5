#pragma once
// The program's start: one copy only, the splash, the main window and the keyboard
// game's window, then the event loop.

#include <QString>

// Maps the fonts the windows were designed with to the CJK fonts installed here.
void installFontSubstitutes();

// The splash while the main window is built, then the main window; the keyboard game's
// window follows once the main window has painted.
void openStartWindows();

// Runs the whole program; returns its exit code.
int runProgram(int& argc, char** argv);

// The title of the already-running box and its text.
extern const char* const kAlreadyRunningText;
extern const char* const kAlreadyRunningCaption;
