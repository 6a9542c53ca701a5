#include "flashhost/WebEngineBackend.h"

#include "flashhost/FlashHost.h"
#include "flashhost/LegacyText.h"
#include "flashhost/MemoryMovies.h"
#include "flashhost/PlayerPage.h"
#include "flashhost/PlayerPoster.h"
#include "flashhost/swf/ActionBuilder.h"
#include "flashhost/swf/ControlScript.h"
#include "flashhost/swf/Swf.h"
#include "platform/Gbk.h"

#include <QColor>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <utility>

namespace flashhost {
namespace {

constexpr int kControlLevel = 99;
constexpr int kWakeMs = 2000;
constexpr int kReleaseMs = 3000;
// How long a question to a movie may wait for its answer.
constexpr int kQueryLimitMs = 5000;

bool controlMovieAvailable() {
    static const bool present = QFile::exists(QStringLiteral(":/flash/control.swf"));
    return present;
}

QString lower(const QString& s) {
    return s.toLower();
}

// "#RRGGBB" from the control's BGColor or BackgroundColor ($00BBGGRR); empty for none.
QString backgroundOf(const FlashProps& p) {
    if (!p.BGColor.isEmpty()) {
        QString c = p.BGColor;
        if (!c.startsWith(QLatin1Char('#')))
            c.prepend(QLatin1Char('#'));
        return QColor(c).isValid() ? QColor(c).name() : QString();
    }
    if (p.BackgroundColor >= 0) {
        const int v = p.BackgroundColor;
        return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF).name();
    }
    return QString();
}

QString scaleOf(const QString& scale) {
    const QString s = lower(scale);
    if (s == QLatin1String("noborder"))
        return QStringLiteral("noBorder");
    if (s == QLatin1String("exactfit"))
        return QStringLiteral("exactFit");
    if (s == QLatin1String("noscale"))
        return QStringLiteral("noScale");
    return QStringLiteral("showAll");
}

QString qualityOf(const FlashProps& p) {
    if (!p.Quality2.isEmpty()) {
        // The player knows no automatic qualities: they start at their level.
        QString q = lower(p.Quality2);
        return q.startsWith(QLatin1String("auto")) ? q.mid(4) : q;
    }
    return p.Quality == 0 || p.Quality == 2 ? QStringLiteral("low") : QStringLiteral("high");
}

} // namespace

WebEngineBackend::WebEngineBackend(BackendKind kind, QWidget* parent)
    : MovieBackend(parent), kind_(kind), view_(new QWebEngineView(parent)),
      reloadable_(kind == BackendKind::Transparent) {
    view_->setObjectName(QStringLiteral("playerView"));
    view_->setContextMenuPolicy(Qt::PreventContextMenu);
    if (kind_ == BackendKind::Transparent) {
        view_->setFocusPolicy(Qt::NoFocus);
        view_->setAttribute(Qt::WA_TranslucentBackground);
    }
    view_->installEventFilter(this);
    attachPage(PlayerPage::take(this));
    everReady_ = page_->isReady(); // a page started ahead of need
    checkInputWidget();
    wakeTimer_.setSingleShot(true);
    connect(&wakeTimer_, &QTimer::timeout, this, &WebEngineBackend::applyLifecycle);
    releaseTimer_.setSingleShot(true);
    connect(&releaseTimer_, &QTimer::timeout, this, &WebEngineBackend::releasePage);
    restoreEnd_.setSingleShot(true);
    connect(&restoreEnd_, &QTimer::timeout, this, [this] {
        restore_.finish();
        runDeferred();
    });
}

void WebEngineBackend::attachPage(PlayerPage* page) {
    page_ = page;
    view_->setPage(page_->page());
    page_->page()->setBackgroundColor(Qt::transparent);
    PageBridge* bridge = page_->bridge();
    connect(page_, &PlayerPage::ready, this, &WebEngineBackend::pageReady);
    connect(bridge, &PageBridge::started, this, [this](int token) {
        if (token == token_ && !restore_.restoring())
            emit movieStarted();
    });
    connect(bridge, &PageBridge::controlReady, this, [this](int token) {
        if (token != token_)
            return;
        if (restore_.restoring()) {
            restored();
            return;
        }
        movieReady_ = true;
        // The control's handlers may free the control, and this player with it.
        const QPointer<WebEngineBackend> alive(this);
        emit movieReady();
        if (alive)
            applyLifecycle();
    });
    connect(bridge, &PageBridge::drawn, this, [this](int token) {
        if (token == token_ && poster_)
            poster_->hideWhenShown(input_);
    });
    connect(bridge, &PageBridge::failed, this, [this](int token, const QString& reason) {
        if (token != token_ && token != -1)
            return;
        qWarning("flashhost: the movie did not load: %s", qPrintable(reason));
        restore_.forget(); // nothing to bring back, nothing held back
        showPoster(false); // it stands for a movie that will not come
        runDeferred();
        emit loadFailed();
    });
    connect(bridge, &PageBridge::state, this, [this](int frame0, bool playing, int seq) {
        const bool restoring = restore_.restoring();
        if (!restore_.reported(frame0, playing, seq)) {
            if (restoring && !restore_.restoring())
                resumed();
            return;
        }
        moviePlaying_ = playing;
        const QPointer<WebEngineBackend> alive(this);
        emit frameState(frame0, playing, seq);
        if (alive)
            applyLifecycle();
    });
    connect(bridge, &PageBridge::done, this, [this](int seq) { restore_.applied(seq); });
    connect(bridge, &PageBridge::command, this,
            [this](const QString& command, const QString& args) {
                if (!restore_.restoring())
                    emit fsCommand(command, args);
            });
    connect(bridge, &PageBridge::answered, this, &WebEngineBackend::queryAnswered);
    connect(page_->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus) {
                    showPoster(false);
                    emit loadFailed();
                }
            });
}

WebEngineBackend::~WebEngineBackend() {
    MovieRegistry::instance().removeOwner(this);
    // Nothing the view goes through from here concerns a player whose page is gone.
    view_->removeEventFilter(this);
    // The view must let go of the page before the page goes.
    view_->setPage(nullptr);
    delete page_;
    delete view_;
}

QWidget* WebEngineBackend::view() {
    return view_;
}

QWidget* WebEngineBackend::inputWidget() {
    return input_ ? input_.data() : view_;
}

bool WebEngineBackend::isReady() const {
    // A page given back takes calls too: they wait for its restart.
    return everReady_;
}

void WebEngineBackend::applyProps(const FlashProps& props) {
    props_ = props;
    MovieRegistry::instance().setBase(this, props.Base);
    // What the player can change while a movie plays reaches it at once; the rest
    // (WMode, background, device fonts, FlashVars) with the next load.
    if (token_ > 0)
        emit page_->bridge()->propsRequested(liveOptions(props));
}

QVariantMap WebEngineBackend::liveOptions(const FlashProps& p) {
    QString quality = qualityOf(p).toUpper();
    if (quality.startsWith(QLatin1String("AUTO")))
        quality = quality.mid(4);
    // The player takes an empty or blank alignment set while a movie plays as L (left), not
    // as the centre it gives a load without one: centred goes as a text naming no edge.
    QString align = p.SAlign.toUpper();
    if (align.trimmed().isEmpty())
        align = QStringLiteral("C");
    return QVariantMap{
        {QStringLiteral("loop"), p.Loop},
        {QStringLiteral("contextMenu"),
         p.StandartMenu ? QStringLiteral("rightClickOnly") : QStringLiteral("off")},
        {QStringLiteral("stage"), QVariantList{scaleOf(p.Scale), align, quality, p.Menu}},
    };
}

WebEngineBackend::ActionBuilderValue WebEngineBackend::literal(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return value.toString();
    default:
        return ActionBuilderValue::undefined();
    }
}

WebEngineBackend::ScriptCall WebEngineBackend::scriptCall(const FrameOp& op) {
    using swf::HostCall;
    switch (op.kind) {
    case FrameOp::TargetGoto:
        return {HostCall::Target, {op.target, QStringLiteral("gotoAndStop"), op.value}};
    case FrameOp::TargetPlay:
        return {HostCall::Target, {op.target, QStringLiteral("play"), QVariant()}};
    case FrameOp::TargetStop:
        return {HostCall::Target, {op.target, QStringLiteral("stop"), QVariant()}};
    case FrameOp::SetVariable:
        return {HostCall::SetVariable, {op.target, op.value}};
    case FrameOp::SetProperty:
        return {HostCall::SetProperty, {op.target, op.frame, op.value}};
    case FrameOp::CallFrame:
        return {HostCall::CallFrame, {op.target}};
    case FrameOp::LoadLayer:
        return {HostCall::Load,
                {layerUrl(op.movie, op.frame), QStringLiteral("_level%1").arg(op.frame)}};
    case FrameOp::Play:
    case FrameOp::Stop:
    case FrameOp::Goto:
        break;
    }
    return {HostCall::Target, {}};
}

QString WebEngineBackend::layerUrl(const QByteArray& movie, int layer) {
    if (movie.isEmpty())
        return QString();
    const int id = MovieRegistry::instance().add(this, movie, props_.Base, resourceSource(), layer);
    return hostUrl(makeMemoryMoviePath(id)).toString();
}

MovieRegistry::ResourceSource WebEngineBackend::resourceSource() {
    return [this](const QString& relative) {
        std::optional<ServedResource> served;
        emit externalResource(relative, &served);
        return served;
    };
}

void WebEngineBackend::callMovie(const FrameOp& op, int seq) {
    const ScriptCall call = scriptCall(op);
    QVariantList args;
    for (const QVariant& arg : call.args)
        args << (arg.typeId() == QMetaType::QString
                     ? QVariant(movieText(arg.toString(), movieVersion_))
                     : arg);
    emit page_->bridge()->callRequested(QString::fromLatin1(swf::callbackName(call.call)), args,
                                        seq);
}

QByteArray WebEngineBackend::frameOneActions(int swfVersion, bool playing,
                                             const std::vector<FrameOp>& prelude) {
    swf::ActionBuilder a(swfVersion, swfVersion <= 5 ? &platform::toGbk : nullptr);
    // Frame 1 runs again whenever the movie goes back to it: what follows is for the
    // load only.
    const swf::ActionBuilder::Label again = a.newLabel();
    if (swfVersion >= 4)
        swf::skipAfterFirstRun(a, again);
    if (controlMovieAvailable())
        a.getUrl(hostUrl(QStringLiteral("/control.swf")).toString(),
                 QStringLiteral("_level%1").arg(kControlLevel));
    if (!playing)
        a.stop();
    for (const FrameOp& op : prelude) {
        switch (op.kind) {
        case FrameOp::Goto:
            a.gotoFrame(op.frame);
            break;
        case FrameOp::Play:
            a.play();
            break;
        case FrameOp::Stop:
            a.stop();
            break;
        default: {
            const ScriptCall call = scriptCall(op);
            std::vector<ActionBuilderValue> args;
            for (const QVariant& arg : call.args)
                args.push_back(literal(arg));
            swf::emitHostCall(a, call.call, args);
            break;
        }
        }
    }
    a.mark(again);
    // Frame calls work from the first frame on, not only once the control movie is in
    // (a frame or two later). Movies older than the script's actions leave it to the
    // control movie.
    if (controlMovieAvailable() && swfVersion >= 5) {
        swf::addFrameCallbacks(a);
        swf::reportReady(a);
    }
    return a.bytes();
}

QVariantMap WebEngineBackend::playerOptions(const FlashProps& p) {
    QVariantMap player{
        {QStringLiteral("autoplay"), QStringLiteral("on")},
        {QStringLiteral("unmuteOverlay"), QStringLiteral("hidden")},
        {QStringLiteral("splashScreen"), false},
        // The player's own menu only where the control lets the right button through.
        {QStringLiteral("contextMenu"), liveOptions(p).value(QStringLiteral("contextMenu"))},
        {QStringLiteral("menu"), false},
        {QStringLiteral("showSwfDownload"), false},
        {QStringLiteral("warnOnUnsupportedContent"), false},
        {QStringLiteral("openUrlMode"), QStringLiteral("deny")},
        // The host's own frame calls travel as external calls; the page turns the movie's
        // others into OnFlashCall requests and never runs script text.
        {QStringLiteral("allowScriptAccess"), true},
        {QStringLiteral("logLevel"), QStringLiteral("error")},
        // Like the original player, the stage's surroundings show the movie, not bars.
        {QStringLiteral("letterbox"), QStringLiteral("off")},
        // Device fonts are the system's, drawn by the page; otherwise the player's own.
        {QStringLiteral("deviceFontRenderer"),
         p.DeviceFont ? QStringLiteral("canvas") : QStringLiteral("embedded")},
        {QStringLiteral("scale"), scaleOf(p.Scale)},
        {QStringLiteral("quality"), qualityOf(p)},
        {QStringLiteral("wmode"),
         p.transparent() ? QStringLiteral("transparent") : QStringLiteral("window")},
    };
    if (!p.SAlign.isEmpty())
        player.insert(QStringLiteral("salign"), p.SAlign.toLower());
    if (!p.FlashVars.isEmpty())
        player.insert(QStringLiteral("parameters"), p.FlashVars);
    const QString bg = backgroundOf(p);
    if (!bg.isEmpty() && !p.transparent())
        player.insert(QStringLiteral("backgroundColor"), bg);
    return QVariantMap{
        {QStringLiteral("ruffle"), player},
        {QStringLiteral("wmode"),
         p.transparent() ? QStringLiteral("transparent") : QStringLiteral("window")},
        {QStringLiteral("backgroundColor"), p.transparent() ? QString() : bg},
        {QStringLiteral("loop"), p.Loop},
        {QStringLiteral("playing"), p.Playing},
        {QStringLiteral("control"), controlMovieAvailable()},
    };
}

QVariantMap WebEngineBackend::withCurrentSettings(QVariantMap options) const {
    const QVariantMap now = playerOptions(props_);
    QVariantMap player = options.value(QStringLiteral("ruffle")).toMap();
    const QVariantMap nowPlayer = now.value(QStringLiteral("ruffle")).toMap();
    // Settings the control no longer has (an alignment or background taken back) go too.
    for (const char* key : {"salign", "backgroundColor", "parameters"})
        player.remove(QLatin1String(key));
    for (auto it = nowPlayer.begin(); it != nowPlayer.end(); ++it)
        player.insert(it.key(), it.value());
    options.insert(QStringLiteral("ruffle"), player);
    for (const char* key : {"wmode", "backgroundColor", "loop"})
        options.insert(QLatin1String(key), now.value(QLatin1String(key)));
    return options;
}

void WebEngineBackend::load(const MovieToLoad& movie, const std::vector<FrameOp>& prelude,
                            int seq) {
    wakeForCall();
    restore_.forget(); // a new movie: nothing of the old one comes back
    showPoster(true);
    movieReady_ = false;
    moviePlaying_ = props_.Playing;
    QString error;
    const auto injected = swf::injectFrameOneActions(
        movie.bytes, frameOneActions(movie.version, props_.Playing, prelude), &error, true);
    if (!injected)
        qWarning("flashhost: frame calls unavailable for this movie: %s", qPrintable(error));
    movieVersion_ = movie.version;
    const int id = MovieRegistry::instance().add(this, injected.value_or(movie.bytes), movie.base,
                                                 resourceSource());
    MovieRegistry::instance().setCallSource(id, [this](const QString& request) {
        // What the reload of a restart says is not the form's.
        QString answer;
        if (!restore_.restoring())
            emit flashCall(request, &answer);
        return answer;
    });
    zoomScale_ = 1;
    zoomOffset_ = {};
    ++token_;
    const QUrl url = hostUrl(makeMemoryMoviePath(id));
    QVariantMap options = playerOptions(props_);
    // The movie's relative requests resolve beside it (and so in the control's Base),
    // not beside the host page.
    QVariantMap player = options.value(QStringLiteral("ruffle")).toMap();
    player.insert(QStringLiteral("base"), url.resolved(QUrl(QStringLiteral("."))).toString());
    options.insert(QStringLiteral("ruffle"), player);
    options.insert(QStringLiteral("seq"), seq);
    // Whether the movie plays once its first frame has run the calls made before.
    bool playing = props_.Playing;
    for (const FrameOp& op : prelude)
        if (op.kind == FrameOp::Play || op.kind == FrameOp::Stop || op.kind == FrameOp::Goto)
            playing = op.kind == FrameOp::Play;
    options.insert(QStringLiteral("playing"), playing);
    options.insert(QStringLiteral("background"), kind_ == BackendKind::Transparent);
    if (!injected)
        options.insert(QStringLiteral("control"), false);
    if (reloadable_)
        restore_.loaded(url.toString(), options, seq);
    const int token = token_;
    whenPageReady([this, token, url, options] {
        emit page_->bridge()->loadRequested(token, url.toString(), options);
    });
}

void WebEngineBackend::unload() {
    wakeForCall();
    restore_.forget();
    showPoster(false);
    movieReady_ = false;
    ++token_;
    MovieRegistry::instance().removeOwner(this);
    whenPageReady([this] { emit page_->bridge()->unloadRequested(); });
}

void WebEngineBackend::frame(const FrameOp& op, int seq) {
    wakeForCall();
    restore_.called(seq);
    if (op.kind != FrameOp::Play && op.kind != FrameOp::Stop && op.kind != FrameOp::Goto)
        restore_.touched();
    whenPageReady([this, op, seq] { sendFrame(op, seq); });
}

void WebEngineBackend::sendFrame(const FrameOp& op, int seq) {
    switch (op.kind) {
    case FrameOp::Goto:
        emit page_->bridge()->frameRequested(QStringLiteral("goto"), op.frame, seq);
        break;
    case FrameOp::Play:
        emit page_->bridge()->frameRequested(QStringLiteral("play"), 0, seq);
        break;
    case FrameOp::Stop:
        emit page_->bridge()->frameRequested(QStringLiteral("stop"), 0, seq);
        break;
    default:
        callMovie(op, seq);
        break;
    }
}

void WebEngineBackend::setActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    QWebEnginePage* page = page_->page();
    if (active) {
        applyLifecycle(); // a frozen page cannot be made visible (a released one is replaced)
        if ((page = page_->page()))
            page->setVisible(view_->isVisible());
    } else {
        if (page)
            page->setVisible(false); // hidden, the player pauses itself
        applyLifecycle();
    }
}

// At rest, a page is frozen (it runs no script at all): a windowed player nobody can see,
// and an effect player that is hidden and has played its movie to the end. It wakes for
// the next call. A page that rests a while gives its memory back when its movie can be
// reloaded as it was.
bool WebEngineBackend::atRest() const {
    if (wakeTimer_.isActive())
        return false;
    if (!active_)
        return true;
    return kind_ == BackendKind::Transparent && movieReady_ && !moviePlaying_ &&
           !view_->isVisible() && (!page_->page() || !page_->page()->isVisible());
}

void WebEngineBackend::applyLifecycle() {
    const bool rest = atRest();
    if (page_->isReleased()) {
        if (!rest)
            restartPage();
        return;
    }
    if (!page_->isReady())
        return; // applied once the page is ready
    using State = QWebEnginePage::LifecycleState;
    const State wanted = rest ? State::Frozen : State::Active;
    QWebEnginePage* page = page_->page();
    if (page->lifecycleState() != wanted)
        page->setLifecycleState(wanted);
    if (rest && reloadable_ && movieReady_ && restore_.canRelease() && !restore_.restoring()) {
        if (!releaseTimer_.isActive())
            releaseTimer_.start(kReleaseMs);
    } else {
        releaseTimer_.stop();
    }
}

void WebEngineBackend::releasePage() {
    if (!atRest() || !page_->isReady() || restore_.restoring() || !restore_.canRelease())
        return;
    view_->setPage(nullptr);
    page_->release();
}

// The released page gives way to a new one, the one started ahead of need when there is one
// (its player is ready: the movie is back at once).
void WebEngineBackend::restartPage() {
    restoreEnd_.stop();
    restore_.begin();
    showPoster(true);
    PlayerPage* released = page_;
    attachPage(PlayerPage::take(this));
    disconnect(released, nullptr, this, nullptr);
    disconnect(released->bridge(), nullptr, this, nullptr);
    released->deleteLater();
    page_->page()->setVisible(active_ && view_->isVisible());
    if (page_->isReady())
        pageReady();
}

void WebEngineBackend::pageReady() {
    const bool restart = std::exchange(everReady_, true);
    applyLifecycle(); // a page suspended while it started is frozen now
    if (!restart) {
        // Calls made before (a focus as the form opens) go first: held back, they would
        // hold back every call after them, the movie's load too.
        runDeferred();
        emit ready();
        return;
    }
    if (restore_.restoring()) {
        // The same movie again, with the settings in force now; the calls made meanwhile
        // follow once it is back.
        ++token_;
        emit page_->bridge()->loadRequested(token_, restore_.url(),
                                            withCurrentSettings(restore_.reloadOptions()));
        return;
    }
    runDeferred();
}

void WebEngineBackend::restored() {
    for (const PageRestore::Call& call : restore_.resume())
        sendFrame(call.op, call.seq);
    if (zoomScale_ != 1 || !zoomOffset_.isNull())
        emit page_->bridge()->zoomRequested(zoomScale_, zoomOffset_.x(), zoomOffset_.y());
    // The calls made meanwhile wait for the movie's report: sent before it has run the
    // frame it was put back on, a play of theirs would be undone by that frame's stop.
    // Should the page never answer, the restore ends a little later.
    restoreEnd_.start(kWakeMs);
    applyLifecycle();
}

void WebEngineBackend::resumed() {
    restoreEnd_.stop();
    runDeferred();
    applyLifecycle();
}

void WebEngineBackend::whenPageReady(std::function<void()> call) {
    if (page_->isReady() && !restore_.restoring() && deferred_.empty()) {
        call();
        return;
    }
    deferred_.push_back(std::move(call));
}

void WebEngineBackend::runDeferred() {
    std::vector<std::function<void()>> calls;
    calls.swap(deferred_);
    for (auto& call : calls)
        call();
}

void WebEngineBackend::wakeForCall() {
    // Awake a little while, so that the call's effect is reported before the page may
    // freeze again.
    wakeTimer_.start(kWakeMs);
    applyLifecycle();
}

void WebEngineBackend::focusPlayer() {
    if (kind_ == BackendKind::Transparent)
        return;
    wakeForCall();
    view_->setFocus();
    whenPageReady([this] { emit page_->bridge()->focusRequested(); });
}

void WebEngineBackend::setPoster(const QByteArray& picture) {
    delete poster_;
    if (picture.isEmpty())
        return;
    poster_ = new PlayerPoster(picture, view_);
    poster_->setGeometry(view_->rect());
    showPoster(!page_->isReady() || !movieReady_);
}

void WebEngineBackend::showPoster(bool show) {
    if (!poster_)
        return;
    poster_->setVisible(show);
    if (show)
        poster_->raise();
}

void WebEngineBackend::setReloadable(bool reloadable) {
    reloadable_ = reloadable;
    applyLifecycle();
}

void WebEngineBackend::redraw() {
    emit page_->bridge()->redrawRequested();
}

void WebEngineBackend::setZoom(double scale, const QPointF& offset) {
    zoomScale_ = scale;
    zoomOffset_ = offset;
    wakeForCall();
    whenPageReady([this, scale, offset] {
        emit page_->bridge()->zoomRequested(scale, offset.x(), offset.y());
    });
}

std::optional<QVariant> WebEngineBackend::query(const QString& callback, const QVariantList& args) {
    if (!movieReady_)
        return std::nullopt;
    wakeForCall();
    const int id = ++queryId_;
    QVariantList sent;
    for (const QVariant& arg : args)
        sent << (arg.typeId() == QMetaType::QString
                     ? QVariant(movieText(arg.toString(), movieVersion_))
                     : arg);
    std::optional<QVariant> answer;
    bool done = false;
    QEventLoop loop;
    connect(this, &WebEngineBackend::queryAnswered, &loop,
            [&](int answeredId, bool ok, const QVariant& value) {
                if (answeredId != id)
                    return;
                if (ok)
                    answer = value;
                done = true;
                loop.quit();
            });
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(kQueryLimitMs, &loop, &QEventLoop::quit);
    const QPointer<WebEngineBackend> alive(this);
    whenPageReady(
        [this, id, callback, sent] { emit page_->bridge()->queryRequested(id, callback, sent); });
    // The form waits for the answer; meanwhile the player and the program's timers run,
    // the user's input does not.
    if (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!alive)
        return std::nullopt;
    return answer;
}

bool WebEngineBackend::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ &&
        (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)) {
        checkInputWidget();
        if (poster_ && poster_->isVisible())
            poster_->raise();
    }
    if (watched == view_ && event->type() == QEvent::Resize && poster_)
        poster_->setGeometry(view_->rect());
    if (watched == view_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        QTimer::singleShot(0, this, &WebEngineBackend::applyLifecycle);
        // Without a page, the view would make one of its own to tell it it shows or hides
        // (an empty page of the default profile); the page attached next is told instead.
        if (page_->isReleased())
            return true;
    }
    return MovieBackend::eventFilter(watched, event);
}

void WebEngineBackend::checkInputWidget() {
    QWidget* proxy = view_->focusProxy();
    if (!proxy || proxy == input_)
        return;
    input_ = proxy;
    if (kind_ == BackendKind::Transparent)
        proxy->setFocusPolicy(Qt::NoFocus);
    emit inputWidgetChanged(proxy);
}

} // namespace flashhost
