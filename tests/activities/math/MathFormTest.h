#pragma once
// What the tests of the mathematics windows share: the main window (for its right and
// wrong pictures, the click sound and the sound library), and a record of the sounds
// and message boxes the windows ask for.

#include "TestSupport.h"
#include "app/ActivitySound.h"
#include "app/Startup.h"
#include "app/TImage.h"
#include "app/UMain.h"
#include "platform/MessageService.h"
#include "platform/Random.h"
#include "platform/SoundLibrary.h"

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

    // The message boxes shown since the last clear, each as "caption|text|flags".
    QStringList boxes() const { return testsupport::boxes(*recorder); }

    std::unique_ptr<platform::MessageRecorder> recorder;
    std::unique_ptr<TFrmmain> main;
    QStringList sounds;
};

} // namespace mathtest
