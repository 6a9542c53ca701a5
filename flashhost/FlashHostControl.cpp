#include "flashhost/FlashHostControl.h"

#include "flashhost/FlashHost.h"
#include "flashhost/LegacyText.h"
#include "flashhost/swf/Swf.h"
#include "platform/Gbk.h"

#include <QApplication>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QIODevice>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QtEndian>
#include <limits>

using namespace flashhost;

TFlashHostControl::TFlashHostControl(QWidget* parent)
    : TFlashHostControl(BackendKind::Windowed, parent) {
    setFocusPolicy(Qt::StrongFocus);
    createPlayer();
}

TFlashHostControl::TFlashHostControl(BackendKind kind, QWidget* parent)
    : QWidget(parent), kind_(kind),
      queue_([this](int id, const std::vector<FrameOp>& prelude) { runLoad(id, prelude); },
             [this](const FrameOp& op) {
                 if (backend_)
                     backend_->frame(op, seq_);
             }),
      dragDock_(new TDragDock(this)) {
    resize(100, 100);
}

TFlashHostControl::~TFlashHostControl() {
    // The player and its movies from memory go with the control.
    delete backend_;
}

void TFlashHostControl::createPlayer() {
    if (backend_)
        return;
    backend_ = BackendProvider::create(kind_, this);
    if (!backend_) {
        // No player here: an empty control painted in the window colour.
        update();
        return;
    }
    QWidget* view = backend_->view();
    view->setGeometry(rect());
    setupPlayerView(view);
    view->show();
    connect(backend_, &MovieBackend::ready, this, &TFlashHostControl::onBackendReady);
    connect(backend_, &MovieBackend::movieReady, this, &TFlashHostControl::onMovieReady);
    connect(backend_, &MovieBackend::movieStarted, this, [this] {
        if (queue_.movieState() == CommandQueue::MovieState::Loading && !pendingMovie_)
            setReadyState(3);
    });
    connect(backend_, &MovieBackend::loadFailed, this, &TFlashHostControl::onLoadFailed);
    connect(backend_, &MovieBackend::frameState, this, &TFlashHostControl::onFrameState);
    connect(backend_, &MovieBackend::fsCommand, this, &TFlashHostControl::onFsCommand);
    connect(backend_, &MovieBackend::flashCall, this, &TFlashHostControl::onFlashCall,
            Qt::DirectConnection);
    connect(backend_, &MovieBackend::externalResource, this, &TFlashHostControl::onExternalResource,
            Qt::DirectConnection);
    connect(backend_, &MovieBackend::inputWidgetChanged, this, &TFlashHostControl::watchInput);
    view->installEventFilter(this);
    watchInput(backend_->inputWidget());
    if (backend_->isReady())
        onBackendReady();
    scheduleActivityCheck();
    update();
}

void TFlashHostControl::setupPlayerView(QWidget* view) {
    setFocusProxy(view);
}

void TFlashHostControl::setWMode(const QString& value) {
    props_.WMode = forceTransparent_ ? QStringLiteral("Transparent") : value;
    propsChanged();
}

void TFlashHostControl::setStandartMenu(bool on) {
    props_.StandartMenu = on;
    propsChanged();
}

void TFlashHostControl::propsChanged() {
    if (backend_ && queue_.playerReady())
        backend_->applyProps(props_);
}

// Loading ------------------------------------------------------------------------------

void TFlashHostControl::LoadMovieFromStream(int layer, QIODevice& stream) {
    QByteArray bytes;
    if (stream.isOpen() && stream.isReadable()) {
        if (!stream.isSequential())
            stream.seek(0);
        bytes = stream.readAll();
    }
    if (layer != 0)
        loadLayer(layer, bytes);
    else
        startLoad(bytes);
}

namespace {

// The root timeline's frame labels by frame (from 0).
std::map<int, QString> frameLabels(const swf::Movie& movie) {
    constexpr quint16 kTagFrameLabel = 43;
    std::map<int, QString> labels;
    int frame = 0;
    for (const swf::Tag& tag : movie.tags) {
        if (tag.code == swf::kTagShowFrame)
            ++frame;
        else if (tag.code == kTagFrameLabel && !labels.count(frame)) {
            const QByteArray name = tag.body.left(tag.body.indexOf('\0'));
            labels[frame] = movie.header.version <= kLastLegacyTextVersion
                                ? platform::fromGbk(name)
                                : QString::fromUtf8(name);
        }
    }
    return labels;
}

bool withinCap(const QByteArray& bytes, QString* error) {
    const quint32 declared =
        bytes.size() < 8 ? 0 : qFromLittleEndian<quint32>(bytes.constData() + 4);
    if (bytes.size() <= flashhost::kMaxMovieBytes && declared <= flashhost::kMaxMovieBytes)
        return true;
    *error = QStringLiteral("%1 bytes, more than a movie here may have")
                 .arg(qMax<qint64>(bytes.size(), declared));
    return false;
}

} // namespace

void TFlashHostControl::startLoad(const QByteArray& bytes) {
    QString error;
    const auto movie = withinCap(bytes, &error) ? swf::parse(bytes, &error) : std::nullopt;
    if (!movie) {
        qWarning("flashhost: not a movie (%s)", qPrintable(error));
        failLoad();
        return;
    }
    pendingMovie_ =
        MovieToLoad{bytes, movie->header.version, movie->header.frameCount, props_.Base};
    movieVersion_ = movie->header.version;
    labels_ = frameLabels(*movie);
    const swf::Rect& r = movie->header.frameSize;
    stageSize_ = QSizeF((r.xmax - r.xmin) / 20.0, (r.ymax - r.ymin) / 20.0);
    zoom_.reset();
    totalFrames_ = movie->header.frameCount;
    frame_ = 0;
    playing_ = props_.Playing;
    ++seq_;
    queue_.submitLoad(++loadId_);
    scheduleFlush();
    setReadyState(0);
}

void TFlashHostControl::loadLayer(int layer, const QByteArray& bytes) {
    QString error;
    if (!bytes.isEmpty() && (!withinCap(bytes, &error) || !swf::parse(bytes, &error))) {
        qWarning("flashhost: not a movie for layer %d (%s)", layer, qPrintable(error));
        return;
    }
    FrameOp op{FrameOp::LoadLayer, layer};
    op.movie = bytes;
    submitMovieCall(3, op);
}

void TFlashHostControl::PutMovieFromStream(QIODevice& stream) {
    LoadMovieFromStream(0, stream);
}

namespace {

// Filled by the caller, on any thread; its bytes become the control's movie when it goes.
// The control acts on its own (the GUI) thread only: from another thread the load is
// posted there.
class MovieFillStream : public QBuffer {
public:
    MovieFillStream(TFlashHostControl* control, int layer) : control_(control), layer_(layer) {
        open(QIODevice::ReadWrite);
    }
    ~MovieFillStream() override {
        const auto loadInto = [layer = layer_](TFlashHostControl* control, QByteArray bytes) {
            QBuffer stream(&bytes);
            stream.open(QIODevice::ReadOnly);
            control->LoadMovieFromStream(layer, stream);
        };
        if (QThread::currentThread() == qApp->thread()) {
            if (control_)
                loadInto(control_, data());
            return;
        }
        QMetaObject::invokeMethod(
            qApp,
            [control = control_, bytes = data(), loadInto] {
                if (control)
                    loadInto(control, bytes);
            },
            Qt::QueuedConnection);
    }

private:
    QPointer<TFlashHostControl> control_;
    int layer_;
};

} // namespace

std::unique_ptr<QIODevice> TFlashHostControl::LoadMovieUsingStream(int layer) {
    return std::make_unique<MovieFillStream>(this, layer);
}

std::unique_ptr<QIODevice> TFlashHostControl::PutMovieUsingStream() {
    return LoadMovieUsingStream(0);
}

void TFlashHostControl::failLoad() {
    clearMovie();
    emit loadFailed();
}

void TFlashHostControl::clearMovie() {
    // Nothing of the earlier movie stays: the control is blank and nothing is pending.
    pendingMovie_.reset();
    queue_.clear();
    movieVersion_ = 0;
    labels_.clear();
    zoom_.reset();
    totalFrames_ = 0;
    frame_ = 0;
    playing_ = false;
    readyState_ = 0;
    ++seq_;
    if (backend_)
        backend_->unload();
}

void TFlashHostControl::runLoad(int loadId, const std::vector<FrameOp>& prelude) {
    if (!backend_ || !pendingMovie_ || loadId != loadId_)
        return;
    MovieToLoad movie = std::move(*pendingMovie_);
    pendingMovie_.reset();
    backend_->load(movie, prelude, seq_);
}

// Frame calls --------------------------------------------------------------------------

void TFlashHostControl::submitFrame(const FrameOp& op) {
    ++seq_;
    queue_.submitFrame(op);
    scheduleFlush();
}

void TFlashHostControl::Play() {
    if (!backend_ || movieVersion_ == 0)
        return;
    playing_ = true;
    submitFrame({FrameOp::Play});
}

void TFlashHostControl::Stop() {
    if (!backend_ || movieVersion_ == 0)
        return;
    playing_ = false;
    submitFrame({FrameOp::Stop});
}

void TFlashHostControl::GotoFrame(int frameNum) {
    if (!backend_ || movieVersion_ == 0 || frameNum < 0 || frameNum >= totalFrames_)
        return;
    frame_ = frameNum;
    playing_ = false;
    submitFrame({FrameOp::Goto, frameNum});
}

bool TFlashHostControl::IsPlaying() const {
    return backend_ ? playing_ : true;
}

int TFlashHostControl::CurrentFrame() const {
    return backend_ ? frame_ : 0;
}

int TFlashHostControl::TotalFrames() const {
    return backend_ ? totalFrames_ : 0;
}

int TFlashHostControl::ReadyState() const {
    return backend_ ? readyState_ : 0;
}

void TFlashHostControl::setReadyState(int state) {
    // The getter answers what the event said, from the event on.
    readyState_ = state;
    emit OnReadyStateChange(state);
}

int TFlashHostControl::FlashVersion() const {
    return backend_ ? BackendProvider::playerVersion() : -1;
}

void TFlashHostControl::SetFocus() {
    if (backend_)
        backend_->focusPlayer();
    else
        setFocus();
}

void TFlashHostControl::scheduleFlush() {
    if (flushScheduled_)
        return;
    flushScheduled_ = true;
    QTimer::singleShot(0, this, &TFlashHostControl::flush);
}

void TFlashHostControl::flush() {
    flushScheduled_ = false;
    queue_.flush();
}

// What the player reports --------------------------------------------------------------

void TFlashHostControl::onBackendReady() {
    queue_.setPlayerReady(true);
    backend_->applyProps(props_);
    scheduleFlush();
}

void TFlashHostControl::onMovieReady() {
    queue_.movieReady();
    scheduleFlush();
    if (pendingMovie_)
        return; // the movie before the one that waits: the form no longer asks for it
    // A handler may free the control: nothing of it is touched after that.
    const QPointer<TFlashHostControl> alive(this);
    emit OnProgress(100);
    if (alive)
        setReadyState(4);
}

void TFlashHostControl::onLoadFailed() {
    queue_.loadFailed();
    movieVersion_ = 0;
    totalFrames_ = 0;
    frame_ = 0;
    playing_ = false;
    readyState_ = 0;
    emit loadFailed();
}

void TFlashHostControl::onFrameState(int frame0, bool playing, int seq) {
    // A report from before the last call would undo what the form just asked for.
    if (seq < seq_)
        return;
    reportedSeq_ = seq;
    frame_ = qMax(0, frame0);
    playing_ = playing;
}

void TFlashHostControl::onFsCommand(const QString& command, const QString& args) {
    emit OnFSCommand(commandText(command, movieVersion_), commandText(args, movieVersion_));
}

void TFlashHostControl::onFlashCall(const QString& request, QString* answer) {
    if (props_.AllowScriptAccess.compare(QLatin1String("never"), Qt::CaseInsensitive) == 0)
        return;
    // What a handler gives SetReturnValue goes back to the movie.
    const QPointer<TFlashHostControl> alive(this);
    returnValue_.clear();
    emit OnFlashCall(request);
    if (alive && answer)
        *answer = std::exchange(returnValue_, QString());
}

void TFlashHostControl::onExternalResource(const QString& url,
                                           std::optional<ServedResource>* served) {
    // A handler may destroy this control: nothing of it is touched after that.
    const QPointer<TFlashHostControl> alive(this);
    QBuffer ex;
    ex.open(QIODevice::ReadWrite);
    bool handled = false;
    emit OnLoadExternalResourceEx(url, ex, handled);
    if (handled) {
        *served = ServedResource{ex.data()};
        return;
    }
    if (!alive)
        return;
    QBuffer plain;
    plain.open(QIODevice::ReadWrite);
    emit OnLoadExternalResource(url, plain);
    if (!plain.data().isEmpty()) {
        *served = ServedResource{plain.data()};
        return;
    }
    if (!alive)
        return;
    QIODevice* stream = nullptr;
    emit OnLoadExternalResourceAsync(url, stream);
    if (!stream)
        return;
    if (!alive) {
        stream->deleteLater();
        return;
    }
    const auto release = [control = QPointer<TFlashHostControl>(this)](QIODevice* s) {
        if (control)
            emit control->OnUnloadExternalResourceAsync(s);
        s->deleteLater();
    };
    if (!stream->isReadable() && !stream->open(QIODevice::ReadOnly)) {
        release(stream);
        return;
    }
    *served = ServedResource{{}, stream, release};
}

// Input --------------------------------------------------------------------------------

void TFlashHostControl::watchInput(QWidget* widget) {
    if (!widget)
        return;
    if (input_ && input_ != widget && input_ != backend_->view())
        input_->removeEventFilter(this);
    if (widget == backend_->view())
        return;
    input_ = widget;
    widget->installEventFilter(this);
}

bool TFlashHostControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowStateChange:
            scheduleActivityCheck();
            break;
        default:
            break;
        }
        return false;
    }
    if (backend_ && (watched == backend_->inputWidget() || watched == backend_->view()))
        return routeInput(event);
    return QWidget::eventFilter(watched, event);
}

bool TFlashHostControl::routeDrag(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    const bool starts = type == QEvent::MouseButtonPress && me->button() == Qt::LeftButton &&
                        dragDock_->DragMode() == TDragTypes::dmAutomatic;
    if (!starts && !dragDock_->Dragging())
        return false;
    // The drag follows the control's own mouse events: the player gets none of them.
    QMouseEvent copy(type, mapFromGlobal(me->globalPosition()), me->globalPosition(), me->button(),
                     me->buttons(), me->modifiers());
    QApplication::sendEvent(this, &copy);
    return true;
}

void TFlashHostControl::focusMoved(QEvent* event) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    const QWidget* focus = QApplication::focusWidget();
    const bool inside = focus && (focus == this || isAncestorOf(focus));
    if (inside == entered_)
        return;
    entered_ = inside;
    if (inside)
        emit OnEnter();
    else
        emit OnExit();
}

bool TFlashHostControl::routeInput(QEvent* event) {
    if (routeDrag(event))
        return true;
    // A handler may free the control, and its player's widget that has the event with it:
    // the event then goes no further.
    const QPointer<TFlashHostControl> alive(this);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        focusMoved(event);
        return !alive;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint at = mapFromGlobal(me->globalPosition().toPoint());
        const bool dbl = event->type() == QEvent::MouseButtonDblClick;
        // A right press is the player's only with StandartMenu; the effect player then
        // does nothing at all with it. A double click always reaches the player.
        const bool rightPressKept = me->button() == Qt::RightButton && !dbl && !props_.StandartMenu;
        if (rightPressKept && kind_ == BackendKind::Transparent)
            return true;
        if (dbl && me->button() == Qt::LeftButton)
            emit OnDblClick();
        if (!alive)
            return true;
        emit OnMouseDown(me->button(), me->modifiers() | (dbl ? ssDouble : Qt::NoModifier), at.x(),
                         at.y());
        return rightPressKept || !alive;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint at = mapFromGlobal(me->globalPosition().toPoint());
        emit OnMouseMove(me->modifiers(), at.x(), at.y());
        return !alive;
    }
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint global = me->globalPosition().toPoint();
        if (me->button() == Qt::RightButton) {
            // The release becomes the control's context menu and never reaches the player.
            if (popupMenu_)
                popupMenu_->popup(global);
            return true;
        }
        const QPoint at = mapFromGlobal(global);
        if (me->button() == Qt::LeftButton && rect().contains(at))
            emit OnClick();
        if (!alive)
            return true;
        emit OnMouseUp(me->button(), me->modifiers(), at.x(), at.y());
        return !alive;
    }
    case QEvent::ContextMenu:
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() == Qt::Key_Menu) {
            if (popupMenu_) {
                if (event->type() == QEvent::KeyPress)
                    popupMenu_->popup(mapToGlobal(QPoint(0, 0)));
                return true;
            }
            return !props_.StandartMenu;
        }
        if (ke->key() == Qt::Key_Escape) {
            // The form gets Esc first (it leaves full screen on it); the movie gets it when
            // the form does not take it.
            QKeyEvent copy(ke->type(), ke->key(), ke->modifiers(), ke->text(), ke->isAutoRepeat(),
                           ke->count());
            QApplication::sendEvent(this, &copy);
            return copy.isAccepted();
        }
        return false;
    }
    default:
        return false;
    }
}

// Painting and layout ------------------------------------------------------------------

void TFlashHostControl::paintEvent(QPaintEvent*) {
    if (backend_)
        return;
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
}

void TFlashHostControl::resizeEvent(QResizeEvent* event) {
    if (backend_)
        backend_->view()->setGeometry(rect());
    QWidget::resizeEvent(event);
}

// Suspension of players nobody can see -------------------------------------------------

bool TFlashHostControl::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // A control without a player takes the focus itself; a handler may free it.
        const QPointer<TFlashHostControl> alive(this);
        focusMoved(event);
        if (!alive)
            return true;
        break;
    }
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
        scheduleActivityCheck();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TFlashHostControl::scheduleActivityCheck() {
    QWidget* win = window();
    if (win != watchedWindow_) {
        if (watchedWindow_)
            watchedWindow_->removeEventFilter(this);
        watchedWindow_ = win;
        if (win != this)
            win->installEventFilter(this);
    }
    if (activityScheduled_)
        return;
    activityScheduled_ = true;
    QTimer::singleShot(0, this, &TFlashHostControl::updateActivity);
}

bool TFlashHostControl::shouldBeActive() const {
    // An effect player plays its movie to the end even where nobody sees it.
    if (kind_ == BackendKind::Transparent)
        return true;
    if (!isVisible())
        return false;
    const QWidget* win = window();
    if (win->isMinimized())
        return false;
    // A form parked off the screen (Left = -2000) counts as hidden.
    const QRect area(win->mapToGlobal(QPoint(0, 0)), win->size());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().intersects(area))
            return true;
    return false;
}

void TFlashHostControl::updateActivity() {
    activityScheduled_ = false;
    const bool active = shouldBeActive();
    if (active == active_ || !backend_)
        return;
    active_ = active;
    backend_->setActive(active);
}

bool IsFlashInstalled() {
    return BackendProvider::available();
}

bool IsTransparencySupported() {
    // A player of version 3 or later first, then the window system.
    return ((BackendProvider::packedVersion() >> 24) & 0xFF) >= 3 &&
           flashhost::isTransparencySupported();
}

namespace {

constexpr int kHimetricPerInch = 2540;

// a * b / c rounded halves away from zero; -1 when c is 0 or the result is beyond an int.
int mulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const qint64 product = qint64(a) * b;
    const qint64 magnitude = (qAbs(product) + qAbs(qint64(c)) / 2) / qAbs(qint64(c));
    const qint64 result = (product < 0) != (c < 0) ? -magnitude : magnitude;
    return result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()
               ? -1
               : int(result);
}

QPoint screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? QPoint(qRound(screen->logicalDotsPerInchX()),
                           qRound(screen->logicalDotsPerInchY()))
                  : QPoint(96, 96);
}

} // namespace

QPoint PixelsToHimetric(const QPoint& pixels, int dpiX, int dpiY) {
    return QPoint(mulDiv(pixels.x(), kHimetricPerInch, dpiX),
                  mulDiv(pixels.y(), kHimetricPerInch, dpiY));
}

QPoint HimetricToPixels(const QPoint& himetric, int dpiX, int dpiY) {
    return QPoint(mulDiv(himetric.x(), dpiX, kHimetricPerInch),
                  mulDiv(himetric.y(), dpiY, kHimetricPerInch));
}

QPoint PixelsToHimetric(const QPoint& pixels) {
    const QPoint dpi = screenDpi();
    return PixelsToHimetric(pixels, dpi.x(), dpi.y());
}

QPoint HimetricToPixels(const QPoint& himetric) {
    const QPoint dpi = screenDpi();
    return HimetricToPixels(himetric, dpi.x(), dpi.y());
}
