// The web player's options taken from the control's properties.
#include "flashhost/WebEngineBackend.h"

#include <QtTest>

using namespace flashhost;

class TestWebEngineBackend : public QObject {
    Q_OBJECT
private slots:
    void playerOptions_data() {
        QTest::addColumn<QString>("wmode");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QString>("bgcolor");
        QTest::addColumn<QStringList>("expected"); // wmode, scale, background
        QTest::newRow("menu") << "Window"
                              << "ShowAll"
                              << "" << QStringList{"window", "showAll", ""};
        QTest::newRow("colouring") << "Window"
                                   << "ExactFit"
                                   << "#FFCC00" << QStringList{"window", "exactFit", "#ffcc00"};
        QTest::newRow("no hash") << "Window"
                                 << "NoBorder"
                                 << "00FF00" << QStringList{"window", "noBorder", "#00ff00"};
        QTest::newRow("transparent ignores background")
            << "Transparent"
            << "noscale"
            << "#FFFFFF" << QStringList{"transparent", "noScale", ""};
    }
    void playerOptions() {
        QFETCH(QString, wmode);
        QFETCH(QString, scale);
        QFETCH(QString, bgcolor);
        QFETCH(QStringList, expected);
        FlashProps props;
        props.WMode = wmode;
        props.Scale = scale;
        props.BGColor = bgcolor;
        const QVariantMap player =
            WebEngineBackend::playerOptions(props).value(QStringLiteral("ruffle")).toMap();
        QCOMPARE((QStringList{player.value(QStringLiteral("wmode")).toString(),
                              player.value(QStringLiteral("scale")).toString(),
                              player.value(QStringLiteral("backgroundColor")).toString()}),
                 expected);
        // The player's own menu stays off: right clicks belong to the control.
        QCOMPARE(player.value(QStringLiteral("contextMenu")).toString(), QStringLiteral("off"));
    }
};

QTEST_MAIN(TestWebEngineBackend)
#include "tst_flashhost_backend.moc"
