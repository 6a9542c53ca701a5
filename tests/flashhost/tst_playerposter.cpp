// A movie's poster shows until the player has drawn; from then on it shows the player's own
// picture, so that when the movie comes back later (its page given back meanwhile) the
// picture does not change as the player takes over.
#include "flashhost/PlayerPoster.h"

#include <QBuffer>
#include <QPainter>
#include <QtTest>

using flashhost::PlayerPoster;

namespace {

// Stands in for the player: draws two colours side by side, or one colour while "blank".
class DrawnPlayer : public QWidget {
public:
    using QWidget::QWidget;
    bool blank = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!blank)
            p.fillRect(0, 0, width() / 2, height(), QColor(0x20, 0x90, 0x40));
    }
};

QByteArray pngOf(QColor colour, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage grabbed(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestPlayerPoster : public QObject {
    Q_OBJECT
private slots:
    void showsWhatThePlayerDrew_data();
    void showsWhatThePlayerDrew();
};

void TestPlayerPoster::showsWhatThePlayerDrew_data() {
    QTest::addColumn<bool>("playerBlank");
    QTest::addColumn<bool>("showsPlayer"); // after the player took over once
    QTest::newRow("player drew: its picture from then on") << false << true;
    QTest::newRow("player never drew: the given picture stays") << true << false;
}

void TestPlayerPoster::showsWhatThePlayerDrew() {
    QFETCH(bool, playerBlank);
    QFETCH(bool, showsPlayer);
    QWidget window;
    window.resize(120, 90);
    auto* player = new DrawnPlayer(&window);
    player->blank = playerBlank;
    player->setGeometry(window.rect());
    auto* poster = new PlayerPoster(pngOf(Qt::red, window.size()), &window);
    poster->setGeometry(window.rect());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(grabbed(poster).pixel(100, 45), QColor(Qt::red).rgb());

    poster->hideWhenShown(player);
    QTRY_VERIFY(poster->isHidden());

    // The movie comes back: the poster shows first again.
    player->blank = true;
    poster->show();
    poster->raise();
    const QImage shown = grabbed(poster);
    if (showsPlayer) {
        player->blank = false;
        QCOMPARE(shown, grabbed(player));
    } else {
        QCOMPARE(shown.pixel(10, 45), QColor(Qt::red).rgb());
        QCOMPARE(shown.pixel(100, 45), QColor(Qt::red).rgb());
    }
}

QTEST_MAIN(TestPlayerPoster)
#include "tst_playerposter.moc"
