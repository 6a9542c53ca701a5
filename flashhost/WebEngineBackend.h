#pragma once
// The player that plays movies: the web player in a web view of the shared profile.
//
// A load puts the movie (with a small frame-1 action that loads the control movie into
// level 99) into the memory registry and has the page load it from there. The control
// movie lets the program go to, play and stop the root timeline and reports the root's
// frame, which the control keeps, so frame questions are answered at once.

#include "flashhost/MovieBackend.h"

#include <QPointer>
#include <QTimer>

class QWebEngineView;

namespace flashhost {

class PlayerPage;

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

    // The frame-1 actions put into a movie of `swfVersion`.
    static QByteArray frameOneActions(int swfVersion, bool playing,
                                      const std::vector<FrameOp>& prelude);
    // The player's options for a load with these properties.
    static QVariantMap playerOptions(const FlashProps& props);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkInputWidget();
    bool shouldFreeze() const;
    void applyLifecycle();
    void wakeForCall();

    BackendKind kind_;
    QWebEngineView* view_;
    PlayerPage* page_;
    QPointer<QWidget> input_;
    FlashProps props_;
    int token_ = 0;
    bool active_ = true;
    bool movieReady_ = false;
    bool moviePlaying_ = true;
    QTimer wakeTimer_;
};

} // namespace flashhost
