// Message boxes: flags to icons and Chinese buttons, results, "\r" line breaks, recorder;
// Qt's own buttons in Chinese.
#include "platform/MessageService.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace platform;

class TestMessageService : public QObject {
    Q_OBJECT
private slots:
    void recorderAnswersInOrder() {
        MessageRecorder rec;
        rec.queueAnswer(IDNO);
        QCOMPARE(showMessage(nullptr, "保存吗？", "说明！", MB_YESNO | MB_ICONQUESTION), int(IDNO));
        // With the queue empty the first button answers.
        QCOMPARE(showMessage(nullptr, "好", "提示", MB_YESNO | MB_ICONQUESTION), int(IDYES));
        QCOMPARE(rec.calls().size(), size_t(2));
        QCOMPARE(rec.calls()[0].text, QString("保存吗？"));
        QCOMPARE(rec.calls()[0].flags, MB_YESNO | MB_ICONQUESTION);
    }

    void realBox_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("buttons"); // sorted, joined
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("result");
        const auto row = [](const char* name, int flags, const char* press, const char* buttons,
                            int icon, int result) {
            QTest::newRow(name) << flags << QString(press) << QString(buttons) << icon << result;
        };
        row("warning ok", MB_ICONWARNING, "确定", "确定", QMessageBox::Warning, IDOK);
        row("question no", MB_YESNO | MB_ICONQUESTION, "否", "否是", QMessageBox::Question, IDNO);
        row("info cancel", MB_OKCANCEL | MB_ICONINFORMATION, "取消", "取消确定",
            QMessageBox::Information, IDCANCEL);
        row("error ok", MB_ICONERROR, "确定", "确定", QMessageBox::Critical, IDOK);
    }
    // The real box, pressed as soon as it shows; "\r" breaks the line.
    void realBox() {
        QFETCH(int, flags);
        QFETCH(QString, press);
        QStringList seen;
        int seenIcon = -1;
        QString seenText;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll.stop();
            seenIcon = box->icon();
            seenText = box->text();
            for (QAbstractButton* b : box->buttons())
                seen << b->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == press)
                    b->click();
        });
        poll.start(10);
        QTEST(showMessage(nullptr, "第一行\r第二行", "重要提示！", flags), "result");
        seen.sort();
        QTEST(seen.join(QString()), "buttons");
        QTEST(seenIcon, "icon");
        QCOMPARE(seenText, QString("第一行\n第二行"));
    }

    // A box from code that names no window (the lesson player's error) belongs to the
    // active window, so it stands above a window that stays on top instead of under it.
    void boxOwnedByActiveStayOnTopWindow() {
        QWidget player(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        player.resize(300, 200);
        player.show();
        player.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&player));
        QWidget* owner = nullptr;
        bool onTop = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll.stop();
            owner = box->parentWidget();
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->buttons().first()->click();
        });
        poll.start(10);
        showMessage(nullptr, "课件文件已损坏", "", MB_ICONERROR);
        QCOMPARE(owner, &player);
        QVERIFY(onTop);
        // The recorder is told the same owner; a child names its own window.
        MessageRecorder rec;
        auto* list = new QWidget(&player);
        showMessage(nullptr, "a", "", MB_OK);
        showMessage(list, "b", "", MB_OK);
        QCOMPARE(rec.calls().size(), size_t(2));
        QCOMPARE(rec.calls()[0].owner, &player);
        QCOMPARE(rec.calls()[1].owner, &player);
    }

    void standardButtonsInChinese() {
        QVERIFY(installChineseTranslations(*qApp));
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QString("取消"));
        QCOMPARE(box.button(QDialogButtonBox::Open)->text(), QString("打开"));
        // The file dialog's kind of a folder, which Qt's translation leaves in English.
        QTemporaryDir dir;
        QCOMPARE(QFileIconProvider().type(QFileInfo(dir.path())), QString("文件夹"));
    }
};

QTEST_MAIN(TestMessageService)
#include "tst_messageservice.moc"
