#include "flashhost/WebEngineBackend.h"

#include "flashhost/FlashHost.h"
#include "flashhost/LegacyText.h"
#include "flashhost/MemoryMovies.h"
#include "flashhost/PlayerPage.h"
#include "flashhost/swf/ActionBuilder.h"
#include "flashhost/swf/ControlScript.h"
#include "flashhost/swf/Swf.h"
#include "platform/Gbk.h"

#include <QColor>
#include <QEvent>
#include <QFile>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace flashhost {
namespace {

constexpr int kControlLevel = 99;

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
    if (!p.Quality2.isEmpty())
        return lower(p.Quality2);
    switch (p.Quality) {
    case 0:
        return QStringLiteral("low");
    case 2:
        return QStringLiteral("autolow");
    case 3:
        return QStringLiteral("autohigh");
    default:
        return QStringLiteral("high");
    }
}

} // namespace

WebEngineBackend::WebEngineBackend(BackendKind kind, QWidget* parent)
    : MovieBackend(parent), kind_(kind), view_(new QWebEngineView(parent)),
      page_(PlayerPage::take(this)) {
    view_->setObjectName(QStringLiteral("playerView"));
    view_->setContextMenuPolicy(Qt::PreventContextMenu);
    view_->setPage(page_->page());
    if (kind_ == BackendKind::Transparent) {
        view_->setFocusPolicy(Qt::NoFocus);
        view_->setAttribute(Qt::WA_TranslucentBackground);
    }
    page_->page()->setBackgroundColor(Qt::transparent);
    view_->installEventFilter(this);

    PageBridge* bridge = page_->bridge();
    connect(page_, &PlayerPage::ready, this, [this] {
        // A page suspended while it started is frozen once its player code is in.
        if (!active_)
            page_->page()->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
        emit ready();
    });
    connect(bridge, &PageBridge::started, this, [this](int token) {
        if (token == token_)
            emit movieStarted();
    });
    connect(bridge, &PageBridge::controlReady, this, [this](int token) {
        if (token == token_)
            emit movieReady();
    });
    connect(bridge, &PageBridge::failed, this, [this](int token, const QString& reason) {
        if (token != token_ && token != -1)
            return;
        qWarning("flashhost: the movie did not load: %s", qPrintable(reason));
        emit loadFailed();
    });
    connect(bridge, &PageBridge::state, this, &MovieBackend::frameState);
    connect(bridge, &PageBridge::command, this, &MovieBackend::fsCommand);
    connect(bridge, &PageBridge::call, this, &MovieBackend::flashCall);
    connect(page_->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    emit loadFailed();
            });
    checkInputWidget();
}

WebEngineBackend::~WebEngineBackend() {
    MovieRegistry::instance().removeOwner(this);
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
    return page_->isReady();
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
    return QVariantMap{
        {QStringLiteral("loop"), p.Loop},
        {QStringLiteral("contextMenu"),
         p.StandartMenu ? QStringLiteral("rightClickOnly") : QStringLiteral("off")},
        {QStringLiteral("stage"),
         QVariantList{scaleOf(p.Scale), p.SAlign.toUpper(), quality, p.Menu}},
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

void WebEngineBackend::load(const MovieToLoad& movie, const std::vector<FrameOp>& prelude,
                            int seq) {
    QString error;
    const auto injected = swf::injectFrameOneActions(
        movie.bytes, frameOneActions(movie.version, props_.Playing, prelude), &error);
    if (!injected)
        qWarning("flashhost: frame calls unavailable for this movie: %s", qPrintable(error));
    movieVersion_ = movie.version;
    const int id = MovieRegistry::instance().add(this, injected.value_or(movie.bytes), movie.base,
                                                 resourceSource());
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
    emit page_->bridge()->loadRequested(token_, url.toString(), options);
}

void WebEngineBackend::unload() {
    ++token_;
    MovieRegistry::instance().removeOwner(this);
    emit page_->bridge()->unloadRequested();
}

void WebEngineBackend::frame(const FrameOp& op, int seq) {
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
        page->setLifecycleState(QWebEnginePage::LifecycleState::Active);
        page->setVisible(view_->isVisible());
    } else {
        // Hidden, the player pauses itself; frozen, the page runs no script at all.
        page->setVisible(false);
        if (page_->isReady())
            page->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
    }
}

void WebEngineBackend::focusPlayer() {
    if (kind_ == BackendKind::Transparent)
        return;
    view_->setFocus();
    emit page_->bridge()->focusRequested();
}

void WebEngineBackend::redraw() {
    emit page_->bridge()->redrawRequested();
}

bool WebEngineBackend::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ &&
        (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished))
        checkInputWidget();
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
