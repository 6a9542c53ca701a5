#pragma once
// What a host control needs of the player behind it. Two players implement it: the
// web engine one that plays movies, and a fake that records the calls (tests).

#include "flashhost/CommandQueue.h"
#include "flashhost/FlashProps.h"
#include "flashhost/MemoryMovies.h"

#include <QByteArray>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class QWidget;

namespace flashhost {

// A player drawn in its own window, or over its form with the form showing through.
enum class BackendKind { Windowed, Transparent };

// A movie as the control took it from the form's stream.
struct MovieToLoad {
    QByteArray bytes;
    int version = 0;    // SWF header version
    int frameCount = 0; // from the header
    QString base;       // the control's Base at the time of the load
};

class MovieBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MovieBackend() override = default;

    // The widget that shows the movie; the control keeps it over its whole area.
    virtual QWidget* view() = 0;
    // The widget that receives the mouse and the keys (it may appear later:
    // inputWidgetChanged).
    virtual QWidget* inputWidget() = 0;

    virtual bool isReady() const = 0;
    virtual void applyProps(const FlashProps& props) = 0;
    // Replaces the movie; `prelude` holds the frame calls made before it could run,
    // applied on the movie's first frame. `seq` numbers the last of those calls.
    virtual void load(const MovieToLoad& movie, const std::vector<FrameOp>& prelude, int seq) = 0;
    virtual void unload() = 0;
    // A frame call on the loaded movie; frame state pushed later carries `seq` once the
    // player has applied it.
    virtual void frame(const FrameOp& op, int seq) = 0;
    // Suspends a player nobody can see (no CPU) and resumes it.
    virtual void setActive(bool active) = 0;
    virtual void focusPlayer() = 0;
    // A movie that keeps nothing of its own but its root frame (a menu, an effect) may be
    // reloaded there: its player then gives back its memory while nobody sees it.
    virtual void setReloadable(bool) {}
    // The movie's first frame as an encoded picture (JPEG, PNG), shown from the next load
    // until the player has drawn the movie (or the load failed); empty: no picture.
    virtual void setPoster(const QByteArray&) {}
    // Draws the movie anew (its window was made anew).
    virtual void redraw() {}
    // Asks the loaded movie and waits for its answer: `callback` with `args`, one of the
    // host's queries (swf::HostCall::Get, GetProperty) or "pelumoInvoke" (an "<invoke>"
    // request for the movie's own callbacks). Nothing when the player cannot answer.
    virtual std::optional<QVariant> query(const QString& callback, const QVariantList& args) {
        Q_UNUSED(callback);
        Q_UNUSED(args);
        return std::nullopt;
    }
    // The view's zoom: `scale` times the stage's own size, its top-left corner at `offset`
    // (view pixels; 1 and (0, 0) the movie as loaded).
    virtual void setZoom(double scale, const QPointF& offset) {
        Q_UNUSED(scale);
        Q_UNUSED(offset);
    }

signals:
    void ready();
    void movieStarted(); // the loaded movie runs
    void movieReady();   // the loaded movie answers frame calls
    void loadFailed();
    // The root timeline's frame (from 0) and whether it moves, as of call `seq`.
    void frameState(int frame0, bool playing, int seq);
    void fsCommand(const QString& command, const QString& args);
    // The movie asks for a file beside it: `served` is set when the control's events
    // serve it (direct connection, on the GUI thread).
    void externalResource(const QString& relative, std::optional<ServedResource>* served);
    // An external call of the movie, as an "<invoke>" request; the movie gets `answer`
    // back (empty: undefined). Direct connection: the movie waits for it.
    void flashCall(const QString& request, QString* answer);
    void inputWidgetChanged(QWidget* widget);
};

} // namespace flashhost
