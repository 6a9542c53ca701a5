#pragma once
// What the tests of the mathematics windows share: the main window (for its right and
// wrong pictures, the click sound and the sound library), a record of the sounds the
// windows ask for, the check that every picture button has its pictures, and a look at
// a window as a PNG when PELUMO_GRAB_DIR names a folder.

#include "app/ActivitySound.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "app/UMain.h"
#include "platform/MessageService.h"
#include "platform/Random.h"
#include "platform/SoundLibrary.h"

#include <QDir>
#include <QSet>
#include <QStringList>
#include <QtTest>
#include <memory>

namespace mathtest {

class Harness {
public:
    Harness() {
        installFontSubstitutes();
        TFrmmain::terminateApplication = [] {};
        recorder = std::make_unique<platform::MessageRecorder>();
        main.reset(new TFrmmain);
        recorder->clear();
        shell::setSoundListener([this](const QString& path) { sounds << path; });
    }
    ~Harness() {
        shell::setSoundListener({});
        main->hide();
        main.reset();
        platform::releaseRandomSeed();
    }
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    std::unique_ptr<platform::MessageRecorder> recorder;
    std::unique_ptr<TFrmmain> main;
    QStringList sounds;
};

// What a window tested without the main window needs: the substitute fonts, the sound
// library and a record of the message boxes.
class Basics {
public:
    Basics() {
        installFontSubstitutes();
        soundReady = platform::soundLibrary().Init(-1, 44100, 0, nullptr);
    }
    Basics(const Basics&) = delete;
    Basics& operator=(const Basics&) = delete;

    bool soundReady = false;
    platform::MessageRecorder recorder;
};

// Every shown answer picture of the topic on screen has loaded: the one picture of a
// text choice, or each shown picture of a picture choice. Questions in words have none.
inline bool picturesLoaded(QWidget* form) {
    if (!form->findChild<QWidget*>("pnlabcd")->isHidden())
        return !form->findChild<TImage*>("picabcd")->Picture().isNull();
    for (int k = 1; k <= 6; ++k) {
        auto* p = form->findChild<TImage*>(QStringLiteral("imgmany%1").arg(k));
        if (!p || (!p->isHidden() && p->Picture().isNull()))
            return false;
    }
    return true;
}

// Every picture button (negative Tag) has a picture, and so have its hover and pressed
// companions; returns the names of those that lack one.
inline QStringList missingPictures(QWidget* form) {
    QStringList missing;
    QSet<QString> names;
    for (TImage* i : form->findChildren<TImage*>())
        names.insert(i->objectName());
    for (TImage* b : form->findChildren<TImage*>()) {
        if (b->Tag() >= 0)
            continue;
        if (b->Picture().isNull())
            missing << b->objectName();
        for (const char* suffix : {"1", "2"}) {
            auto* c = form->findChild<TImage*>(b->objectName() + QLatin1String(suffix));
            if (!c || c->Picture().isNull())
                missing << b->objectName() + QLatin1String(suffix);
        }
    }
    return missing;
}

// Saves the window's look to $PELUMO_GRAB_DIR/<name>.png when that is set.
inline void grab(QWidget* form, const QString& name) {
    const QString dir = qEnvironmentVariable("PELUMO_GRAB_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    form->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The count of sounds asked for that end with `suffix`.
inline int played(const QStringList& sounds, const QString& suffix) {
    int n = 0;
    for (const QString& s : sounds)
        n += s.endsWith(suffix, Qt::CaseInsensitive) ? 1 : 0;
    return n;
}

} // namespace mathtest
