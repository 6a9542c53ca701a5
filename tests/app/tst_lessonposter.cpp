// ctest-labels: webengine
// The lessons' start pictures with the real player, under an X server (xvfb-run): the
// player's own drawing of a lesson's start frame is the picture stored beside the movie,
// and the lesson window shows that picture over its movie from the moment it opens until
// the player has drawn, for every way to a lesson; a movie that fails leaves no picture.
#include "FormTestSupport.h"
#include "WebEngineTestSupport.h"
#include "app/FormRegistry.h"
#include "app/SectionMenu.h"
#include "app/Startup.h"
#include "app/Ukjxx.h"
#include "flashhost/FlashHost.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/PlayerPoster.h"
#include "platform/ContentPack.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QtTest>

namespace {

constexpr int kTimeout = 30000;
const QSize kStage(700, 580);

// How alike two pictures of the stage are: of a 24 x 24 grid of points, the share where
// no colour channel differs by more than `kTolerance`. Measured on the lessons below: the
// stored JPEG blurs colour by up to about 20 beside the edges (the edges themselves fall on
// the same pixels), and the stars and pictures keep moving while the root stands, so 97 to
// 99.5 % of the points are alike; the picture moved by 12 pixels gives at most 94 %, another
// category's at most 88 %.
constexpr int kGrid = 24;
constexpr int kTolerance = 24;
constexpr double kAlike = 0.96;

double alike(const QImage& a, const QImage& b) {
    const QImage x = a.scaled(kStage).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(kStage).convertToFormat(QImage::Format_RGB32);
    int same = 0;
    for (int j = 0; j < kGrid; ++j)
        for (int i = 0; i < kGrid; ++i) {
            const QPoint at((2 * i + 1) * kStage.width() / (2 * kGrid),
                            (2 * j + 1) * kStage.height() / (2 * kGrid));
            const QRgb p = x.pixel(at), q = y.pixel(at);
            same += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))}) <= kTolerance;
        }
    return double(same) / (kGrid * kGrid);
}

QImage shifted(const QImage& image, int dx, int dy) {
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(image.pixel(0, 0));
    QPainter(&out).drawImage(dx, dy, image);
    return out;
}

QImage startPicture(const QString& prefix, int n) {
    const auto pack = platform::ContentPack::load(prefix);
    return QImage::fromData(pack->read(prefix + QString::number(n), "FIRST"));
}

// The poster has no meta-object of its own: found by its C++ type.
flashhost::PlayerPoster* posterOf(TFlashHostControl* flash) {
    for (QWidget* w : flash->findChildren<QWidget*>())
        if (auto* poster = dynamic_cast<flashhost::PlayerPoster*>(w))
            return poster;
    return nullptr;
}

QImage drawnBy(TFlashHostControl* flash) {
    return flash->backend()->inputWidget()->grab().toImage();
}

// A shown window of the stage's size filled by a real player.
struct PlayerWindow {
    QWidget window;
    TFlashHostControl* flash = new TFlashHostControl(&window);
    PlayerWindow() {
        window.resize(kStage);
        flash->setGeometry(window.rect());
        window.show();
    }
};

} // namespace

class TestLessonPoster : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void playerDrawsTheStartPicture_data();
    void playerDrawsTheStartPicture();
    void windowShowsThePictureUntilTheMovieIsDrawn();
    void failedMovieLeavesNoPicture();

private:
    platform::MessageRecorder* messages_ = nullptr;
};

void TestLessonPoster::initTestCase() {
    if (!IsFlashInstalled())
        QSKIP("the web player's files are not installed (run scripts/install-deps)");
    installFontSubstitutes();
    messages_ = new platform::MessageRecorder;
    testsupport::makeMainWindow();
    TSectionMenu::playClick = [] {};
}

void TestLessonPoster::cleanupTestCase() {
    webenginetest::keepGlDriversLoaded();
    if (Frmmain)
        testsupport::deleteAllWindows();
    delete messages_;
}

void TestLessonPoster::playerDrawsTheStartPicture_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("other"); // a lesson of another look
    QTest::newRow("a spoken lesson from its first frame") << "sxkj" << 1 << "sxyx";
    QTest::newRow("a game waiting behind its start button") << "sxyx" << 1 << "sxkj";
    QTest::newRow("a game of a later frame") << "sxyx" << 12 << "YWYX";
    QTest::newRow("an English lesson from a later frame") << "Eng_Listen" << 4 << "xpy";
    QTest::newRow("a pinyin lesson after its opening") << "xpy" << 1 << "Eng_Listen";
}

// The player stands on the lesson's start frame; what it draws there is the stored picture,
// and not a picture moved a little or another lesson's.
void TestLessonPoster::playerDrawsTheStartPicture() {
    QFETCH(QString, prefix);
    QFETCH(int, number);
    QFETCH(QString, other);
    int startFrame = -1;
    for (const kjxx::Category& c : kjxx::categories())
        if (prefix == QLatin1String(c.prefix))
            startFrame = kjxx::lessonsOf(c).at(size_t(number - 1)).startFrame;
    QVERIFY(startFrame >= 0);
    const auto pack = platform::ContentPack::load(prefix);
    const QString item = prefix + QString::number(number);
    QByteArray movie = pack->read(item, "Flash");
    const QImage picture = startPicture(prefix, number);
    QCOMPARE(picture.size(), kStage);

    PlayerWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window.window));
    TFlashHostControl* flash = window.flash;
    QBuffer stream(&movie);
    stream.open(QIODevice::ReadOnly);
    flash->LoadMovieFromStream(0, stream);
    if (startFrame > 0)
        flash->GotoFrame(startFrame);
    flash->Stop();
    QTRY_COMPARE_WITH_TIMEOUT(flash->ReadyState(), 4, kTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!flashhost::PlayerPoster::isBlank(drawnBy(flash)), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(flash->CurrentFrame(), startFrame, kTimeout);
    const QImage drawn = drawnBy(flash);

    const double same = alike(drawn, picture);
    QVERIFY2(same >= kAlike, qPrintable(QString("%1 of the points alike").arg(same)));
    for (const QPoint by : {QPoint(12, 0), QPoint(0, 12)}) {
        const double moved = alike(drawn, shifted(picture, by.x(), by.y()));
        QVERIFY2(
            moved < kAlike,
            qPrintable(QString("moved by %1,%2: %3 alike").arg(by.x()).arg(by.y()).arg(moved)));
    }
    const double another = alike(drawn, startPicture(other, 1));
    QVERIFY2(another < kAlike, qPrintable(QString("%1 1: %2 alike").arg(other).arg(another)));
}

// From the moment the window shows, its movie area shows the lesson's start picture, and the
// player's own picture once it has drawn; the next lesson, chosen with the mouse, the same.
void TestLessonPoster::windowShowsThePictureUntilTheMovieIsDrawn() {
    QWidget* w = openNew("Tfrmkjxx", [](QWidget* player) {
        qobject_cast<Tfrmkjxx*>(player)->openCategory("数学课件");
    });
    auto* p = qobject_cast<Tfrmkjxx*>(w);
    QVERIFY(p && p->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(p));
    p->playFirstLesson();
    TFlashHostControl* flash = p->MyShockwaveFlash1;
    for (int n : {1, 2}) {
        QCoreApplication::processEvents(); // the window's calls reach the player
        flashhost::PlayerPoster* poster = posterOf(flash);
        QVERIFY(poster);
        QVERIFY(poster->isVisible());
        QCOMPARE(poster->geometry(), flash->backend()->view()->rect());
        const QImage shown = poster->grab().toImage();
        QVERIFY(!flashhost::PlayerPoster::isBlank(shown));
        const double same = alike(shown, startPicture("sxkj", n));
        QVERIFY2(same > 0.99, qPrintable(QString("sxkj%1: %2 alike").arg(n).arg(same)));
        QTRY_VERIFY_WITH_TIMEOUT(poster->isHidden(), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!flashhost::PlayerPoster::isBlank(drawnBy(flash)), kTimeout);
        if (n == 1) {
            const QPoint at = p->imgnext->rect().center();
            QTest::mouseMove(p->imgnext, at);
            QTest::mouseClick(p->imgnext, Qt::LeftButton, {}, at);
            QCOMPARE(p->lbml->ItemIndex(), 1);
        }
    }
    p->close();
    QTRY_VERIFY(frmkjxx.isNull());
    QCOMPARE(messages_->calls().size(), size_t(0));
}

// A picture given for a movie that never comes does not stay over the player.
void TestLessonPoster::failedMovieLeavesNoPicture() {
    PlayerWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window.window));
    TFlashHostControl* flash = window.flash;
    const auto pack = platform::ContentPack::load("sxkj");
    flash->backend()->setPoster(pack->read("sxkj1", "FIRST"));
    QByteArray broken = pack->read("sxkj1", "Flash").left(300);
    QBuffer stream(&broken);
    stream.open(QIODevice::ReadOnly);
    flash->LoadMovieFromStream(0, stream);
    QTRY_VERIFY_WITH_TIMEOUT(!posterOf(flash)->isVisible(), kTimeout);
}

int main(int argc, char** argv) {
    flashhost::initializeHost();
    QApplication app(argc, argv);
    TestLessonPoster t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lessonposter.moc"
