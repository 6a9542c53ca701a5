// Opens every registered window the way the program does, in the program's own process,
// and prints for each the milliseconds from the opening call to the window's first
// paint (the first opening, which makes the window, and the median, minimum and maximum
// of the reopenings), then the process's PSS after each round of opening and closing
// every window once.
//
//   bench-activities ROUNDS
#include "app/FormRegistry.h"
#include "app/Guard.h"
#include "app/Startup.h"
#include "app/UMain.h"
#include "flashhost/FlashHost.h"
#include "flashhost/PlayerPage.h"
#include "platform/MessageService.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// The process's proportional set size in MB.
double pssMb() {
    QFile f(QStringLiteral("/proc/self/smaps_rollup"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Waits until `w` has handled a paint event, at most `limitMs`; true when it painted.
bool waitForPaint(QWidget* w, int limitMs) {
    struct Watcher : QObject {
        bool painted = false;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                painted = true;
            return false;
        }
    } watcher;
    w->installEventFilter(&watcher);
    QElapsedTimer t;
    t.start();
    while (!watcher.painted && t.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w->removeEventFilter(&watcher);
    // The paint event itself ran inside processEvents; it has finished by now.
    return watcher.painted;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10;
    qputenv("QT_QPA_PLATFORM", "xcb");
    flashhost::initializeHost();
    TApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
    // Message boxes answer at once; a window that shows one still counts as opened.
    platform::MessageRecorder messages;
    TFrmmain::terminateApplication = [] {};
    new TFrmmain;
    Frmmain->Show();
    waitForPaint(Frmmain, 2000);
    flashhost::ensureGlShareContext();
    flashhost::warmUp();

    const QStringList names = FormRegistry::classNames();
    std::map<QString, double> first;
    std::map<QString, std::vector<double>> again;
    std::vector<double> pss;
    for (int round = 0; round < rounds; ++round) {
        for (const QString& cls : names) {
            QElapsedTimer t;
            t.start();
            QWidget* w = openLazy(cls);
            if (!w) {
                std::printf("activities: %s did not open\n", qPrintable(cls));
                continue;
            }
            const bool painted = waitForPaint(w, 5000);
            const double ms = t.nsecsElapsed() / 1e6;
            if (!painted)
                std::printf("activities: %s did not paint within 5 s\n", qPrintable(cls));
            if (round == 0)
                first[cls] = ms;
            else
                again[cls].push_back(ms);
            swallowed([w] { w->close(); });
            QCoreApplication::processEvents();
            Frmmain->Show();
        }
        QCoreApplication::processEvents();
        pss.push_back(pssMb());
    }

    std::vector<double> medians;
    double worst = 0;
    for (const QString& cls : names) {
        const auto& v = again[cls];
        const double med = median(v);
        const double lo = v.empty() ? 0 : *std::min_element(v.begin(), v.end());
        const double hi = v.empty() ? 0 : *std::max_element(v.begin(), v.end());
        std::printf("activities: %-18s first %7.1f ms, again median %6.1f (min %6.1f, max %6.1f)\n",
                    qPrintable(cls), first[cls], med, lo, hi);
        medians.push_back(med);
        worst = std::max(worst, std::max(first[cls], hi));
    }
    const auto within =
        std::count_if(medians.begin(), medians.end(), [](double m) { return m <= 50; });
    std::printf(
        "activities: %lld of %zu windows painted within 50 ms (median); slowest opening %.1f ms "
        "(targets: all within 50 ms, none over 150 ms)\n",
        static_cast<long long>(within), medians.size(), worst);
    std::printf("activities: PSS after round");
    for (size_t i = 0; i < pss.size(); ++i)
        std::printf(" %zu: %.0f MB%s", i + 1, pss[i], i + 1 < pss.size() ? "," : "\n");
    std::printf("activities: growth from round 2 to round %zu: %.1f MB (target: none)\n",
                pss.size(), pss.size() > 1 ? pss.back() - pss[1] : 0.0);
    std::fflush(stdout);
    // The windows and the web engine go down with the process.
    std::_Exit(0);
}
