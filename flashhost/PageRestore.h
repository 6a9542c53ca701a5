#pragma once
// How a player whose page was given back (to free its memory while nobody sees it)
// shows its movie again as it was: the page starts afresh, the same movie loads, and once
// it answers frame calls it goes back to the root frame it stood on, playing or stopped
// as it was. What the reloaded movie says of itself until it has run what those calls set
// off (its frames' commands, its state) belongs to the restart, not to the form, and is
// held back. The player runs the actions of a frame it is sent to only on its next tick:
// the restart ends with the movie's first report after the page applied the calls, so
// that a stop on the frame it stood on cannot undo a play the form asked for meanwhile.

#include "flashhost/CommandQueue.h"

#include <QString>
#include <QVariantMap>
#include <vector>

namespace flashhost {

class PageRestore {
public:
    struct Call {
        FrameOp op;
        int seq = 0;
    };

    // A movie was loaded with these options (the page's load request); `seq` numbers the
    // form's last call with it.
    void loaded(const QString& url, const QVariantMap& options, int seq);
    // A frame call went to the player.
    void called(int seq);
    // The host changed the movie beyond its root frame (a variable, a clip, a layer): a
    // reload would lose that, so the page is kept from now on.
    void touched() { kept_ = true; }
    // The movie reported its root timeline as of call `seq`; true when the report is the
    // form's (not one of the restart's). The first report after the page applied the calls
    // of resume() ends the restart.
    bool reported(int frame0, bool playing, int seq);
    // The page applied frame call `seq`.
    void applied(int seq);
    // Nothing to restore any more (the movie was unloaded or failed).
    void forget();

    // True when there is a movie that a restart can bring back.
    bool canRestore() const { return !url_.isEmpty(); }
    // True when the page may be given back: the movie comes back whole.
    bool canRelease() const { return canRestore() && !kept_; }
    // The page restarts: until the movie has run the calls of resume(), its reports and
    // commands are held back.
    void begin();
    bool restoring() const { return phase_ != Phase::Idle; }
    // Ends the restore without that (a page that never answers).
    void finish() { phase_ = Phase::Idle; }

    QString url() const { return url_; }
    // The options of the reload: as loaded, but its reports count as older than the
    // form's last call until the calls of resume() reach the movie.
    QVariantMap reloadOptions() const;
    // The reloaded movie answers frame calls: the calls that put it back as it was.
    std::vector<Call> resume();

private:
    enum class Phase { Idle, Reloading, Resuming };
    QString url_;
    QVariantMap options_;
    int seq_ = 0;
    int resumeSeq_ = 0;    // the calls of resume() go as this one
    bool resumed_ = false; // the page applied them
    int frame0_ = 0;
    bool playing_ = true;
    bool kept_ = false;
    Phase phase_ = Phase::Idle;
};

} // namespace flashhost
