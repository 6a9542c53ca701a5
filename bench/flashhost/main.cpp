// Figures of the movie host, printed one per line:
//   - milliseconds from creating a control to its first command-ready frame (the movie
//     loaded and answering frame calls): the first player of a process, the second one,
//     and the first one after the host warmed up in the background (median of five runs);
//   - PSS of the whole process tree with one and with five players alive;
//   - CPU seconds used per 10 s (over 30 s) by the bare web engine, by a player that is
//     playing, and by one hidden or parked off screen (from 3 s after it was hidden or
//     moved).
// `--scenario movie PACK ITEM WxH` prints the CPU seconds over 10 s of one movie of a content
// pack playing (the idle bench compares a lesson in the program with it).
// Each scenario starts as the program's process is once its main window has painted (the
// GL driver loaded), before the warm-up. PELUMO_BENCH_PHASES=1 prints when each step of
// a player's start was reached.
// Each figure comes from a fresh process (this program runs itself). Run it under an
// X server: bench/flashhost/run BUILD.
#include "flashhost/FlashHost.h"
#include "flashhost/FlashHostControl.h"
#include "flashhost/PlayerPage.h"
#include "flashhost/WebProfile.h"
#include "platform/ContentPack.h"
#include "tools/lib/SwfWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

// Built with AddressSanitizer, the prebuilt web engine library reports a sized delete of
// another size inside itself and leaves its singletons to the end of the process.
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore\nleak:libudev\n";
}

namespace {

// A menu-like movie: a background, a few buttons, an animation that loops.
QByteArray menuMovie() {
    tools::SwfWriter w(QSize(640, 480), 24, 8);
    w.setBackgroundColor(QColor(250, 240, 200));
    const int ball = w.defineShape(
        tools::SwfShape().ellipse(QRectF(-20, -20, 40, 40), tools::ShapeFill::solid(Qt::red)));
    for (int i = 0; i < 4; ++i) {
        const int up = w.defineShape(tools::SwfShape().roundedRect(
            QRectF(0, 0, 120, 60), 12, tools::ShapeFill::solid(QColor(80, 160, 240))));
        const int over = w.defineShape(tools::SwfShape().roundedRect(
            QRectF(0, 0, 120, 60), 12, tools::ShapeFill::solid(QColor(250, 200, 60))));
        const int button = w.defineCommandButton(up, over, 0, 0, QStringLiteral("item%1").arg(i));
        w.root().place(0, 10 + i, button, QTransform::fromTranslate(40 + i * 150, 380));
    }
    tools::Pose from, to;
    from.pos = QPointF(40, 100);
    to.pos = QPointF(600, 200);
    to.rotation = 360;
    w.root().tween(2, ball, 0, 48, from, to);
    return w.finish();
}

// Resident memory of a process and its descendants, proportional share (kB).
qint64 pssOf(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

std::vector<qint64> processTree(qint64 root) {
    std::vector<qint64> tree{root};
    for (size_t i = 0; i < tree.size(); ++i) {
        QFile f(QStringLiteral("/proc/%1/task/%1/children").arg(tree[i]));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& c : f.readAll().split(' '))
            if (!c.trimmed().isEmpty())
                tree.push_back(c.trimmed().toLongLong());
    }
    return tree;
}

qint64 treePssKb() {
    qint64 sum = 0;
    for (qint64 pid : processTree(getpid()))
        sum += pssOf(pid);
    return sum;
}

// CPU seconds (user + system) of the process tree so far.
double treeCpuSeconds() {
    const double tick = double(sysconf(_SC_CLK_TCK));
    double sum = 0;
    for (qint64 pid : processTree(getpid())) {
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = f.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        sum += (fields.value(11).toLongLong() + fields.value(12).toLongLong()) / tick;
    }
    return sum;
}

// Runs the event loop (sleeping while there is nothing to do) until `done` or `ms`.
bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done() || t.elapsed() >= ms)
            loop.quit();
    });
    tick.start();
    if (!done())
        loop.exec();
    return done();
}

// Runs the event loop for `ms` without waking up in between.
void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Player {
    std::unique_ptr<QWidget> form;
    TFlashHostControl* flash = nullptr;
};

// Creates a form with a player, loads the menu and returns the milliseconds until the
// movie answers frame calls; -1 when it never does.
qint64 startPlayer(Player& p, const QByteArray& movie, QPoint at, QSize size = QSize(320, 240)) {
    QElapsedTimer t;
    t.start();
    p.form = std::make_unique<QWidget>();
    p.form->setGeometry(QRect(at, size));
    p.flash = new TFlashHostControl(p.form.get());
    if (qEnvironmentVariableIsSet("PELUMO_BENCH_PHASES")) {
        std::fprintf(stderr, "  control made after %lld ms\n", static_cast<long long>(t.elapsed()));
        if (auto* view = p.flash->findChild<QWebEngineView*>()) {
            QObject::connect(view->page(), &QWebEnginePage::loadStarted, [t] {
                std::fprintf(stderr, "  load started after %lld ms\n",
                             static_cast<long long>(t.elapsed()));
            });
            QObject::connect(view->page(), &QWebEnginePage::loadFinished, [t] {
                std::fprintf(stderr, "  load finished after %lld ms\n",
                             static_cast<long long>(t.elapsed()));
            });
        }
    }
    p.flash->setGeometry(QRect(QPoint(0, 0), size));
    p.form->show();
    if (qEnvironmentVariableIsSet("PELUMO_BENCH_PHASES"))
        std::fprintf(stderr, "  shown after %lld ms\n", static_cast<long long>(t.elapsed()));
    QBuffer stream;
    stream.setData(movie);
    stream.open(QIODevice::ReadOnly);
    p.flash->LoadMovieFromStream(0, stream);
    TFlashHostControl* flash = p.flash;
    if (qEnvironmentVariableIsSet("PELUMO_BENCH_PHASES")) {
        waitFor([flash] { return flash->backend()->isReady(); }, 30000);
        std::fprintf(stderr, "  page ready after %lld ms\n", static_cast<long long>(t.elapsed()));
    }
    if (!waitFor([flash] { return flash->ReadyState() == 4; }, 30000))
        return -1;
    return t.elapsed();
}

int scenarioStartup(bool warm) {
    const QByteArray movie = menuMovie();
    if (warm) {
        // As the program does once its main window shows; the click comes later.
        flashhost::warmUp();
        wait(3000);
    }
    Player first, second;
    const qint64 a = startPlayer(first, movie, QPoint(0, 0));
    if (warm)
        wait(3000); // the host replaces the page it gave away
    const qint64 b = startPlayer(second, movie, QPoint(330, 0));
    std::printf("%lld %lld\n", static_cast<long long>(a), static_cast<long long>(b));
    return a < 0 || b < 0 ? 1 : 0;
}

int scenarioMemory() {
    const QByteArray movie = menuMovie();
    std::vector<Player> players(5);
    startPlayer(players[0], movie, QPoint(0, 0));
    wait(2000);
    const qint64 one = treePssKb();
    for (int i = 1; i < 5; ++i)
        startPlayer(players[i], movie, QPoint(60 * i, 40 * i));
    wait(2000);
    const qint64 five = treePssKb();
    std::printf("%lld %lld\n", static_cast<long long>(one), static_cast<long long>(five));
    return 0;
}

// CPU seconds per 10 s of the process tree after `settleMs` more of the event loop,
// taken over 30 s: the kernel counts in 10 ms ticks, too coarse for one 10 s window.
double cpuOver10s(int settleMs) {
    wait(settleMs);
    const double before = treeCpuSeconds();
    wait(30000);
    return (treeCpuSeconds() - before) / 3;
}

// "blank": the web engine with one empty page, no player (the floor).
// "visible": a player playing its movie.
// "hidden"/"parked": a player in view for 10 s (as a menu is before a child picks an
// activity), then its form hidden or moved off screen.
// "hidden-at-once": hidden right after its start, so the figure also holds the engine's
// one-time clean-up after the player's start (garbage collection of the start-up).
// "movie PACK ITEM WxH": item ITEM (type "Flash") of the content pack file PACK playing
// in a player of that size, as a lesson plays in the program.
int scenarioMovie(const QStringList& args) {
    const auto pack = platform::ContentPack::open(args.value(0));
    const QStringList size = args.value(2).split(QLatin1Char('x'));
    QByteArray movie;
    try {
        movie = pack->read(args.value(1), QStringLiteral("Flash"));
    } catch (const std::exception&) {
        return 1;
    }
    Player p;
    startPlayer(p, movie, QPoint(0, 0), QSize(size.value(0).toInt(), size.value(1).toInt()));
    wait(3000);
    const double before = treeCpuSeconds();
    wait(10000);
    std::printf("%.3f\n", treeCpuSeconds() - before);
    return 0;
}

int scenarioCpu(const QString& how) {
    if (how == QLatin1String("blank")) {
        auto* page = new QWebEnginePage(flashhost::sharedProfile());
        page->load(QUrl(QStringLiteral("about:blank")));
        std::printf("%.3f\n", cpuOver10s(3000));
        return 0;
    }
    Player p;
    startPlayer(p, menuMovie(), QPoint(0, 0));
    if (how == QLatin1String("hidden") || how == QLatin1String("parked"))
        wait(10000);
    if (how.startsWith(QLatin1String("hidden")))
        p.form->hide();
    else if (how == QLatin1String("parked"))
        p.form->move(-2000, 0);
    std::printf("%.3f\n", cpuOver10s(3000)); // 3 s to settle into the new state
    return 0;
}

// Runs this program on one scenario and returns what it printed.
QList<QByteArray> runScenario(const QStringList& args) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), args);
    child.waitForFinished(180000);
    return child.readAllStandardOutput().trimmed().split(' ');
}

// One figure over several runs.
struct Spread {
    double median = -1, min = -1, max = -1;
};

// Start-up times vary from run to run with what the machine does: the median of five
// runs, per figure, with the fastest and the slowest. A run that failed counts as one
// that never finished.
std::vector<Spread> medianOfRuns(const QStringList& args) {
    constexpr int kRuns = 5;
    std::vector<std::vector<double>> columns;
    for (int run = 0; run < kRuns; ++run) {
        const auto values = runScenario(args);
        for (int i = 0; i < values.size(); ++i) {
            if (columns.size() <= size_t(i))
                columns.resize(i + 1);
            bool ok = false;
            const double v = values[i].toDouble(&ok);
            columns[i].push_back(ok && v >= 0 ? v : 1e9);
        }
    }
    std::vector<Spread> spreads;
    for (auto& c : columns) {
        std::sort(c.begin(), c.end());
        if (c.size() == kRuns)
            spreads.push_back({c[kRuns / 2], c.front(), c.back()});
        else
            spreads.push_back({});
    }
    spreads.resize(std::max<size_t>(spreads.size(), 2));
    return spreads;
}

const char* mark(bool ok) {
    return ok ? "ok" : "MISSED";
}

int report() {
    std::printf("movie host figures (one fresh process each; start-up: median of five)\n");
    const auto cold = medianOfRuns({QStringLiteral("--scenario"), QStringLiteral("cold")});
    const auto warm = medianOfRuns({QStringLiteral("--scenario"), QStringLiteral("warm")});
    const auto line = [](const char* what, const Spread& s, double target) {
        std::printf("%-38s %6.0f ms  (min %.0f, max %.0f)", what, s.median, s.min, s.max);
        if (target > 0)
            std::printf("  (target < %.0f)  %s", target, mark(s.median >= 0 && s.median < target));
        std::printf("\n");
    };
    line("first player command-ready:", cold[0], 500);
    line("second player, no warm-up:", cold[1], 0);
    line("first player after background warm-up:", warm[0], 250);
    line("second player after warm-up:", warm[1], 150);
    const auto mem = runScenario({QStringLiteral("--scenario"), QStringLiteral("memory")});
    const double one = mem.value(0).toDouble() / 1024, five = mem.value(1).toDouble() / 1024;
    std::printf("process tree PSS, one player:          %6.0f MB\n", one);
    std::printf("process tree PSS, five players:        %6.0f MB  (target < %.0f)  %s\n", five,
                one * 1.5, mark(five < one * 1.5));
    const auto cpu = [](const char* how) {
        return runScenario(
                   {QStringLiteral("--scenario"), QStringLiteral("cpu"), QString::fromLatin1(how)})
            .value(0)
            .toDouble();
    };
    std::printf("CPU in 10 s, web engine, blank page:   %6.3f s\n", cpu("blank"));
    std::printf("CPU in 10 s, playing (reference):      %6.3f s\n", cpu("visible"));
    for (const char* how : {"hidden", "parked"}) {
        const double s = cpu(how);
        std::printf("CPU in 10 s, %s player:            %6.3f s   (target < 0.02) %s\n", how, s,
                    mark(s < 0.02));
    }
    std::printf("CPU in 10 s, hidden at once on start:  %6.3f s   (with the start's clean-up)\n",
                cpu("hidden-at-once"));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    flashhost::initializeHost();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--scenario"));
    if (at < 0)
        return report();
    // As the program does once its main window has painted: the GL driver is in.
    flashhost::ensureGlShareContext();
    const QString scenario = args.value(at + 1);
    if (scenario == QLatin1String("cold"))
        return scenarioStartup(false);
    if (scenario == QLatin1String("warm"))
        return scenarioStartup(true);
    if (scenario == QLatin1String("memory"))
        return scenarioMemory();
    if (scenario == QLatin1String("cpu"))
        return scenarioCpu(args.value(at + 2));
    if (scenario == QLatin1String("movie"))
        return scenarioMovie(args.mid(at + 2));
    return 2;
}
