// Rules of the song player: lists, navigation, the popup and the automatic mode.
#include "activities/puzzles/SongPlayerRules.h"

#include <QFile>
#include <QtTest>

using namespace puzzles;

class TestSongPlayer : public QObject {
    Q_OBJECT
private slots:
    void navigation_data();
    void navigation();
    void sameListReloadsNothing();
    void autoPlay();
    void popupCaptions();
    void titlesOfThePacks();
};

// Each row: a list of `count` songs, `start` selected, one action; what plays after.
void TestSongPlayer::navigation_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("plays");
    QTest::addColumn<int>("selected");
    QTest::newRow("previous on the first does nothing") << 68 << 0 << "previous"
                                                        << "" << 0;
    QTest::newRow("previous") << 68 << 5 << "previous"
                              << "CHsong5" << 4;
    QTest::newRow("next on the last stays") << 68 << 67 << "next"
                                            << "" << 67;
    QTest::newRow("next") << 68 << 66 << "next"
                          << "CHsong68" << 67;
    QTest::newRow("replay the same song") << 68 << 9 << "replay"
                                          << "CHsong10" << 9;
    QTest::newRow("popup song is position minus nine") << 68 << 0 << "popup 9"
                                                       << "CHsong1" << 0;
    QTest::newRow("popup header plays nothing") << 68 << 3 << "popup 7"
                                                << "" << 3;
    QTest::newRow("popup past the end plays nothing") << 68 << 3 << "popup 77"
                                                      << "" << 3;
    QTest::newRow("click without a selection plays nothing") << 68 << 4 << "select -1"
                                                             << "" << 4;
    QTest::newRow("empty list plays nothing") << 0 << 0 << "replay"
                                              << "" << -1;
}

void TestSongPlayer::navigation() {
    QFETCH(int, count);
    QFETCH(int, start);
    QFETCH(QString, action);
    SongPlayer p;
    QVERIFY(p.chooseList(SongList::Chinese, count));
    p.select(start);
    const int n = action.section(' ', 1).toInt();
    const QString plays = action == "previous"          ? p.previous()
                          : action == "next"            ? p.next()
                          : action == "replay"          ? p.replay()
                          : action.startsWith("select") ? p.select(n)
                                                        : p.popupChoice(n);
    QTEST(plays, "plays");
    QTEST(p.selected(), "selected");
}

void TestSongPlayer::sameListReloadsNothing() {
    SongPlayer p;
    QVERIFY(p.chooseList(SongList::Chinese, 68));
    p.select(7);
    QVERIFY(!p.chooseList(SongList::Chinese, 68));
    QCOMPARE(p.item(), QString("CHsong8"));
    p.setAutoPlay(true);
    QVERIFY(p.chooseList(SongList::English, 27));
    QVERIFY(p.autoPlay()); // goes on with the new list
    QVERIFY(p.chooseList(SongList::Rhymes, 65));
    QCOMPARE(p.item(), QString("tongyao1"));
    QVERIFY(!p.autoPlay()); // the rhymes end it
}

void TestSongPlayer::autoPlay() {
    SongPlayer p;
    p.chooseList(SongList::English, 3);
    QCOMPARE(p.tick(true), SongPlayer::Tick::Stopped); // off: never moves on
    QCOMPARE(p.item(), QString("Essong1"));
    p.setAutoPlay(true);
    for (int i = 1; i < SongPlayer::kRestTicks; ++i)
        QCOMPARE(p.tick(true), SongPlayer::Tick::Wait);
    QCOMPARE(p.tick(false), SongPlayer::Tick::Wait); // playing again: the rest starts over
    QCOMPARE(p.restTicks(), 0);
    SongPlayer::Tick t = SongPlayer::Tick::Wait;
    int ticks = 0;
    while ((t = p.tick(true)) == SongPlayer::Tick::Wait)
        ++ticks;
    QCOMPARE(t, SongPlayer::Tick::PlayNext);
    QCOMPARE(ticks + 1, SongPlayer::kRestTicks);
    QCOMPARE(p.item(), QString("Essong2"));
    p.select(2);
    while ((t = p.tick(true)) == SongPlayer::Tick::Wait) {
    }
    QCOMPARE(t, SongPlayer::Tick::Stopped); // after the last song
    QVERIFY(!p.autoPlay());
    QCOMPARE(p.item(), QString("Essong3"));
    p.setAutoPlay(true);
    p.tick(true);
    QCOMPARE(p.popupChoice(10), QString("Essong2"));
    QVERIFY(!p.autoPlay());
    QCOMPARE(p.restTicks(), 0);
}

void TestSongPlayer::popupCaptions() {
    const std::vector<PopupEntry> e = popupEntries({"A", "B"});
    QCOMPARE(int(e.size()), kPopupFixedEntries + 2);
    QCOMPARE(e[0].caption, QString("---【 工具按钮 】---"));
    QCOMPARE(e[2].caption, QString("重    播"));
    QCOMPARE(e[5].caption, QString("返    回"));
    QCOMPARE(e[7].caption, QString("---【 播放列表 】---"));
    QCOMPARE(e[8].action, PopupAction::Separator);
    QCOMPARE(e[10].caption, QString("B"));
    QCOMPARE(e[10].song, 1);
}

// The lists the player shows come with the packs; their length is the pack's.
void TestSongPlayer::titlesOfThePacks() {
    const QStringList first[] = {{"ABC song", "coconut", "clap and rehyme"},
                                 {"蓝精灵", "两只老虎", "要有耐心"},
                                 {"全世界儿童是一家", "鱼儿游", "秋姑娘"}};
    for (const SongListInfo& l : songLists()) {
        QFile f(QStringLiteral(":/songs/") + l.prefix + QStringLiteral(".txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList titles = parseTitles(QString::fromUtf8(f.readAll()));
        QCOMPARE(titles.size(), l.count);
        QCOMPARE(titles.mid(0, 3), first[int(l.list)]);
        QCOMPARE(QSet<QString>(titles.begin(), titles.end()).size(), l.count);
    }
    QCOMPARE(parseTitles("# list\n\n  a  \r\nb\n"), QStringList({"a", "b"}));
}

QTEST_GUILESS_MAIN(TestSongPlayer)
#include "tst_songplayer.moc"
