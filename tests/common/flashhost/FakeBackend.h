#pragma once
// A player that records what it is asked and answers as the test says. With
// FakeBackend::install(true) every host control made afterwards gets one, so forms can
// be tested without a web engine:
//
//     flashhost::FakeBackend::install(true);
//     form.menuFlash->LoadMovieFromStream(0, stream);
//     QTRY_VERIFY(flashhost::fakeBackendOf(form.menuFlash)->movieLoaded());
//     flashhost::fakeBackendOf(form.menuFlash)->fireFsCommand("找不同", "");
//
// Calls reach the player on the next turn of the event loop (the control gathers a
// form's calls first), so tests wait with QTRY_* or process events.

#include "flashhost/BackendProvider.h"
#include "flashhost/MovieBackend.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>

class TFlashHostControl;

namespace flashhost {

class FakeBackend : public MovieBackend {
    Q_OBJECT
public:
    // How new fakes behave; tests change it before making controls and reset() after.
    struct Options {
        bool readyAtOnce = true; // ready when made; otherwise at makeReady()
        bool loadsAtOnce = true; // a load is taken in at once; otherwise at finishLoad()
        bool installed = true;   // what IsFlashInstalled answers
    };
    static Options& options();
    static void reset();
    // On: controls made from now on get fakes; off: the web player again.
    static void install(bool on);
    // The fakes alive now, oldest first, and how many were ever made.
    static const std::vector<FakeBackend*>& instances();
    static int createdCount();

    explicit FakeBackend(QWidget* parent);
    ~FakeBackend() override;

    QWidget* view() override { return view_; }
    QWidget* inputWidget() override { return view_; }
    bool isReady() const override { return ready_; }
    void applyProps(const FlashProps& props) override;
    void load(const MovieToLoad& movie, const std::vector<FrameOp>& prelude, int seq) override;
    void unload() override;
    void frame(const FrameOp& op, int seq) override;
    void setActive(bool active) override;
    void focusPlayer() override;
    // Recorded as "query <callback> <args joined by ' '>"; answered from setAnswer().
    std::optional<QVariant> query(const QString& callback, const QVariantList& args) override;
    // Recorded as "zoom <scale> <x> <y>".
    void setZoom(double scale, const QPointF& offset) override;
    // Kept; each load notes the picture in force (postersAtLoad()).
    void setPoster(const QByteArray& picture) override { poster_ = picture; }
    const QList<QByteArray>& postersAtLoad() const { return postersAtLoad_; }
    // What the movie answers to `callback` from now on (nothing: it never answers).
    void setAnswer(const QString& callback, std::optional<QVariant> answer) {
        answers_[callback] = std::move(answer);
    }
    // Runs once, while the next question waits for its answer (what the program does
    // meanwhile).
    std::function<void()> duringQuery;

    // What was asked, in order: "load <bytes>", "play", "stop", "goto <n>", "unload",
    // "focus", and the calls into the movie as "<kind> <frame> <target> <value>" (kinds
    // tgoto, tplay, tstop, setvar, setprop, call, layer; a layer's value is its size).
    // Properties and activity are kept apart: props(), isActive().
    const QStringList& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    // The mouse buttons, keys and input method text that reached the player: "press 2",
    // "double 2", "release 1", "key <Qt::Key>", "ime <text>" (button numbers as Qt::MouseButton).
    const QStringList& inputSeen() const { return input_; }
    void clearInput() { input_.clear(); }
    const MovieToLoad& movie() const { return movie_; }
    bool movieLoaded() const { return loaded_; }
    const FlashProps& props() const { return props_; }
    int propsApplied() const { return propsApplied_; }
    bool isActive() const { return active_; }

    // The player's side.
    void makeReady();
    void finishLoad();
    void failLoad();
    void fireFsCommand(const QString& command, const QString& args);
    void pushFrameState(int frame0, bool playing);
    // The movie draws an opaque square there (view coordinates); elsewhere nothing.
    void drawSquare(const QRect& square);
    // The movie asks for a file beside it: what the control's events serve.
    std::optional<ServedResource> askForResource(const QString& relative);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> view_;
    QStringList calls_;
    std::map<QString, std::optional<QVariant>> answers_;
    QStringList input_;
    MovieToLoad movie_;
    QByteArray poster_;
    QList<QByteArray> postersAtLoad_;
    FlashProps props_;
    int propsApplied_ = 0;
    int seq_ = 0;
    bool ready_ = false;
    bool loaded_ = false;
    bool active_ = true;
};

// The fake behind a control; nullptr when it has another player or none.
FakeBackend* fakeBackendOf(const TFlashHostControl* control);

} // namespace flashhost
