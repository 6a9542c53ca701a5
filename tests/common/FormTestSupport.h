#pragma once
// What the tests of windows share (kept in this header, as the windows are not part
// of the library the shared test helpers are built into): a temporary program folder that uses the
// real sound library, and the main window made and torn down around a test case.

#include "TestSupport.h"
#include "app/UMain.h"
#include "app/Ukjxx.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QtTest>

namespace testsupport {

// Links the generated sound library into the program folder at `dir`; false when that fails.
inline bool linkSoundLibrary(const QString& dir) {
    return QDir().mkpath(dir + "/Data/systxt") &&
           QFile::link(PELUMO_BINARY_DIR "/Data/systxt/snd.txt", dir + "/Data/systxt/snd.txt");
}

// Makes the main window (Frmmain) with closing the program turned into nothing.
inline void makeMainWindow() {
    TFrmmain::terminateApplication = [] {};
    new TFrmmain;
}

// Deletes every top-level window, the main window last.
inline void deleteAllWindows() {
    // A window may own or free others: hold them weakly.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != Frmmain)
            windows << w;
    for (const QPointer<QWidget>& w : windows)
        delete w.data();
    Frmmain->close();
    delete Frmmain;
}

// Closes every open lesson player; true once none is left.
inline bool closeLessonPlayers() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<Tfrmkjxx*>(w))
            w->close();
    return QTest::qWaitFor([] { return frmkjxx.isNull(); });
}

} // namespace testsupport
