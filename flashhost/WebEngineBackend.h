#pragma once
// The player that plays movies: the web player in a web view of the shared profile.
//
// A load puts the movie (with a small frame-1 action that loads the control movie into
// level 99) into the memory registry and has the page load it from there. The control
// movie lets the program go to, play and stop the root timeline and reports the root's
// frame, which the control keeps, so frame questions are answered at once.

#include "flashhost/MemoryMovies.h"
#include "flashhost/MovieBackend.h"
#include "flashhost/PageRestore.h"
#include "flashhost/swf/ActionBuilder.h"
#include "flashhost/swf/ControlScript.h"

#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

class QWebEngineView;

namespace flashhost {

class PlayerPage;
class PlayerPoster;

class WebEngineBackend : public MovieBackend {
    Q_OBJECT
public:
    WebEngineBackend(BackendKind kind, QWidget* parent);
    ~WebEngineBackend() override;

    QWidget* view() override;
    QWidget* inputWidget() override;
    bool isReady() const override;
    void applyProps(const FlashProps& props) override;
    void load(const MovieToLoad& movie, const std::vector<FrameOp>& prelude, int seq) override;
    void unload() override;
    void frame(const FrameOp& op, int seq) override;
    void setActive(bool active) override;
    void focusPlayer() override;
    void setReloadable(bool reloadable) override;
    void setPoster(const QByteArray& picture) override;
    void redraw() override;
    std::optional<QVariant> query(const QString& callback, const QVariantList& args) override;
    void setZoom(double scale, const QPointF& offset) override;

    // The player's options for a load with these properties, and those it takes while
    // a movie plays.
    static QVariantMap playerOptions(const FlashProps& props);
    static QVariantMap liveOptions(const FlashProps& props);
    // The options of an earlier load with the control's settings of now.
    QVariantMap withCurrentSettings(QVariantMap options) const;

signals:
    void queryAnswered(int id, bool ok, const QVariant& value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using ActionBuilderValue = swf::ActionBuilder::Value;
    // A call beyond the root's frame as the movie's script takes it.
    struct ScriptCall {
        swf::HostCall call;
        QVariantList args;
    };

    void checkInputWidget();
    void attachPage(PlayerPage* page);
    bool atRest() const;
    void applyLifecycle();
    void wakeForCall();
    void sendFrame(const FrameOp& op, int seq);
    // Giving the page back and bringing the movie back.
    void releasePage();
    void restartPage();
    void pageReady();
    void restored();
    void resumed();
    // Calls into the page wait while it restarts.
    void whenPageReady(std::function<void()> call);
    void runDeferred();
    void showPoster(bool show);
    // The frame-1 actions put into a movie of `swfVersion`.
    QByteArray frameOneActions(int swfVersion, bool playing, const std::vector<FrameOp>& prelude);
    static ActionBuilderValue literal(const QVariant& value);
    ScriptCall scriptCall(const FrameOp& op);
    void callMovie(const FrameOp& op, int seq);
    // The URL a layer's movie is served under ("" for none).
    QString layerUrl(const QByteArray& movie, int layer);
    MovieRegistry::ResourceSource resourceSource();

    BackendKind kind_;
    QWebEngineView* view_;
    PlayerPage* page_ = nullptr;
    QPointer<QWidget> input_;
    FlashProps props_;
    int token_ = 0;
    int queryId_ = 0;
    double zoomScale_ = 1;
    QPointF zoomOffset_;
    bool reloadable_;
    int movieVersion_ = 0;
    bool active_ = true;
    bool everReady_ = false;
    bool movieReady_ = false;
    bool moviePlaying_ = true;
    QTimer wakeTimer_;
    QTimer releaseTimer_;
    QTimer restoreEnd_;
    PageRestore restore_;
    QPointer<PlayerPoster> poster_;
    std::vector<std::function<void()>> deferred_;
};

} // namespace flashhost
