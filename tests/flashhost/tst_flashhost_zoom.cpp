// What a zoomed view shows: the player's size and corner in its view after Zoom, Pan and
// SetZoomRect, for a 160x120 movie in a 320x240 view.
#include "flashhost/ZoomView.h"

#include <QtTest>

using flashhost::ZoomView;

class TestZoomView : public QObject {
    Q_OBJECT
private slots:
    void zoomAndPan_data() {
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("expected"); // scale x y
        QTest::newRow("Zoom 50 doubles around the centre") << "Zoom 50"
                                                           << "2 -160 -120";
        QTest::newRow("Zoom 0 resets") << "Zoom 50; Zoom 0"
                                       << "1 0 0";
        QTest::newRow("zooms add up") << "Zoom 50; Zoom 50"
                                      << "4 -480 -360";
        QTest::newRow("never smaller than the whole movie") << "Zoom 200"
                                                            << "1 0 0";
        QTest::newRow("out again keeps the centre") << "Zoom 25; Zoom 200"
                                                    << "2 -160 -120";
        QTest::newRow("pan by pixels") << "Zoom 50; Pan 30 10 0"
                                       << "2 -190 -130";
        QTest::newRow("pan stops at the edge") << "Zoom 50; Pan 500 -500 0"
                                               << "2 -320 0";
        QTest::newRow("pan by percent of the view") << "Zoom 50; Pan 10 10 1"
                                                    << "2 -192 -144";
        QTest::newRow("no pan unzoomed") << "Pan 30 10 0"
                                         << "1 0 0";
        QTest::newRow("rect of the top-left quarter") << "Rect 0 0 1600 1200"
                                                      << "2 0 0";
        QTest::newRow("rect of the bottom-right quarter") << "Rect 1600 1200 3200 2400"
                                                          << "2 -320 -240";
        QTest::newRow("rect corners in any order") << "Rect 3200 2400 1600 1200"
                                                   << "2 -320 -240";
        QTest::newRow("empty rect resets") << "Zoom 50; Rect 10 10 10 10"
                                           << "1 0 0";
        QTest::newRow("wide rect fits its width") << "Rect 800 900 2400 1500"
                                                  << "2 -160 -120";
    }
    void zoomAndPan() {
        QFETCH(QString, calls);
        ZoomView view;
        view.setView(QSizeF(320, 240));
        view.setStage(QSizeF(160, 120), ZoomView::Fit::ShowAll);
        for (const QString& call : calls.split(';')) {
            const QStringList w = call.trimmed().split(' ');
            if (w[0] == "Zoom")
                view.zoom(w[1].toInt());
            else if (w[0] == "Pan")
                view.pan(w[1].toInt(), w[2].toInt(), w[3].toInt());
            else
                view.zoomRect(w[1].toInt(), w[2].toInt(), w[3].toInt(), w[4].toInt());
        }
        QFETCH(QString, expected);
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(view.scale())
                     .arg(view.offset().x())
                     .arg(view.offset().y()),
                 expected);
    }

    // How the stage lies in the view decides where a rectangle of the movie is drawn.
    void rectFollowsTheScaleMode_data() {
        QTest::addColumn<int>("fit");
        QTest::addColumn<QString>("expected");
        // A 160x120 movie in a 320x120 view; the rect is the movie's top-left quarter.
        QTest::newRow("ShowAll: the movie in the middle")
            << int(ZoomView::Fit::ShowAll) << "2 -80 0";
        QTest::newRow("ExactFit: stretched to the corner")
            << int(ZoomView::Fit::ExactFit) << "2 0 0";
        QTest::newRow("NoBorder: cut, the quarter fills the height")
            << int(ZoomView::Fit::NoBorder) << "1 0 0";
    }
    void rectFollowsTheScaleMode() {
        QFETCH(int, fit);
        ZoomView view;
        view.setView(QSizeF(320, 120));
        view.setStage(QSizeF(160, 120), ZoomView::Fit(fit));
        view.zoomRect(0, 0, 1600, 1200);
        QFETCH(QString, expected);
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(view.scale())
                     .arg(view.offset().x())
                     .arg(view.offset().y()),
                 expected);
    }
};

QTEST_MAIN(TestZoomView)
#include "tst_flashhost_zoom.moc"
