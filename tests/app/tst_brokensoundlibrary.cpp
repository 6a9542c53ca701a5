// A damaged sound library at start: the main window and the keyboard game both start it,
// and the child's parent sees one box that says so, not one for every failure after it.
// A process of its own, as the library is loaded once per program.
#include "FormTestSupport.h"
#include "TestSupport.h"
#include "app/FormRegistry.h"
#include "app/UMain.h"
#include "platform/MessageService.h"

#include <QtTest>

class TestBrokenSoundLibrary : public QObject {
    Q_OBJECT
private slots:
    void oneBoxOnce() {
        testsupport::TempProgramDir dir;
        dir.write("Data/systxt/snd.txt", "not a library\n");
        platform::MessageRecorder messages;
        testsupport::makeMainWindow();
        const FormEntry* keyboard = FormRegistry::find("TfrmABCKeyboard");
        QVERIFY(keyboard);
        QWidget* game = keyboard->create();
        QVERIFY(game);
        // Neither the failed start nor the silent music is a box of its own.
        QCOMPARE(testsupport::boxes(messages), QStringList{"|播放声音的库文件版本不合适!|16"});
        delete game;
        testsupport::deleteAllWindows();
    }
};

QTEST_MAIN(TestBrokenSoundLibrary)
#include "tst_brokensoundlibrary.moc"
