#pragma once
// One player page: the host page in the shared profile, and the web channel object
// through which it talks to the program. A page can start (and load the player's code)
// before any control needs it: warmUp() keeps one ready for the next control.

#include "flashhost/LegacyText.h"

#include <QObject>
#include <QVariant>
#include <QVariantMap>

class QWebChannel;
class QWebEnginePage;

namespace flashhost {

// The object the page sees as "host".
class PageBridge : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // To the page.
    void loadRequested(int token, const QString& url, const QVariantMap& options);
    void unloadRequested();
    void frameRequested(const QString& kind, int frame, int seq);
    void focusRequested();
    void callRequested(const QString& callback, const QVariantList& args, int seq);
    void propsRequested(const QVariantMap& props);
    void redrawRequested();
    void queryRequested(int id, const QString& callback, const QVariantList& args);
    void zoomRequested(double scale, double x, double y);

    // From the page, passed on by the slots below.
    void pageLoaded();
    void started(int token);
    void controlReady(int token);
    void drawn(int token);
    void failed(int token, const QString& reason);
    void state(int frame0, bool playing, int seq);
    void done(int seq); // the page applied frame call `seq`
    void command(const QString& command, const QString& args);
    void answered(int id, bool ok, const QVariant& value);

public slots:
    void pageReady() { emit pageLoaded(); }
    void movieStarted(const QVariant& token) { emit started(token.toInt()); }
    void movieReady(const QVariant& token) { emit controlReady(token.toInt()); }
    void movieDrawn(const QVariant& token) { emit drawn(token.toInt()); }
    void loadFailed(const QVariant& token, const QVariant& reason);
    void frameState(const QVariant& frame0, const QVariant& playing, const QVariant& seq);
    void frameDone(const QVariant& seq) { emit done(seq.toInt()); }
    void fsCommand(const QVariant& command, const QVariant& args);
    void queryAnswered(const QVariant& id, const QVariant& ok, const QVariant& value) {
        emit answered(id.toInt(), ok.toBool(), value);
    }
};

class PlayerPage : public QObject {
    Q_OBJECT
public:
    // Takes the warmed page when there is one, else starts a new one.
    static PlayerPage* take(QObject* parent);
    // `warm`: a page started ahead of need also gets the player's code compiled.
    explicit PlayerPage(QObject* parent = nullptr, bool warm = false);
    ~PlayerPage() override;

    // No page once released.
    QWebEnginePage* page() const { return page_; }
    PageBridge* bridge() const { return bridge_; }
    bool isReady() const { return ready_; }

    // Gives back what the page holds (its player, its movie, what showing it costs here
    // and in the engine): the web page itself goes. Detach it from its view first.
    void release();
    bool isReleased() const { return !page_; }

signals:
    void ready();

private:
    QWebEnginePage* page_;
    QWebChannel* channel_;
    PageBridge* bridge_;
    bool ready_ = false;
};

// Starts a player page in the background so that the next control's player is ready
// sooner. Call when the main window shows; does nothing without the web player.
void warmUp();

} // namespace flashhost
