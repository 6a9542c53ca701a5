#include "flashhost/FakeBackend.h"

#include "flashhost/FlashHostControl.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace flashhost {
namespace {

std::vector<FakeBackend*>& live() {
    static std::vector<FakeBackend*> list;
    return list;
}

int& created() {
    static int n = 0;
    return n;
}

// Takes the keys and buttons it gets, as the real player does.
class FakeView : public QWidget {
public:
    using QWidget::QWidget;
    QRect square;

protected:
    void keyPressEvent(QKeyEvent* e) override { e->accept(); }
    void keyReleaseEvent(QKeyEvent* e) override { e->accept(); }
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(square, Qt::red); }
};

class FakeFactory : public PlayerFactory {
public:
    bool installed() const override { return FakeBackend::options().installed; }
    MovieBackend* create(BackendKind, QWidget* parent) override { return new FakeBackend(parent); }
};

} // namespace

void FakeBackend::install(bool on) {
    static FakeFactory factory;
    BackendProvider::setFactory(on ? &factory : nullptr);
}

FakeBackend::Options& FakeBackend::options() {
    static Options o;
    return o;
}

void FakeBackend::reset() {
    options() = Options();
}

const std::vector<FakeBackend*>& FakeBackend::instances() {
    return live();
}

int FakeBackend::createdCount() {
    return created();
}

FakeBackend::FakeBackend(QWidget* parent) : MovieBackend(parent), view_(new FakeView(parent)) {
    view_->setObjectName(QStringLiteral("fakePlayerView"));
    view_->setFocusPolicy(Qt::StrongFocus);
    // Installed before the control's own filter, so it sees only what the control lets
    // through to the player.
    view_->installEventFilter(this);
    ready_ = options().readyAtOnce;
    live().push_back(this);
    ++created();
}

FakeBackend::~FakeBackend() {
    delete view_;
    auto& l = live();
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
}

void FakeBackend::applyProps(const FlashProps& props) {
    props_ = props;
    ++propsApplied_;
}

void FakeBackend::load(const MovieToLoad& movie, const std::vector<FrameOp>& prelude, int seq) {
    movie_ = movie;
    loaded_ = false;
    seq_ = seq;
    calls_ << QStringLiteral("load %1").arg(movie.bytes.size());
    postersAtLoad_ << poster_;
    for (const FrameOp& op : prelude)
        frame(op, seq);
    if (options().loadsAtOnce)
        finishLoad();
}

void FakeBackend::unload() {
    loaded_ = false;
    movie_ = MovieToLoad();
    calls_ << QStringLiteral("unload");
}

std::optional<QVariant> FakeBackend::query(const QString& callback, const QVariantList& args) {
    QStringList words{QStringLiteral("query"), callback};
    for (const QVariant& arg : args)
        words << arg.toString();
    calls_ << words.join(QLatin1Char(' '));
    if (duringQuery) {
        const std::function<void()> hook = std::exchange(duringQuery, nullptr);
        hook();
    }
    const auto it = answers_.find(callback);
    return it == answers_.end() ? std::nullopt : it->second;
}

void FakeBackend::setZoom(double scale, const QPointF& offset) {
    calls_ << QStringLiteral("zoom %1 %2 %3").arg(scale).arg(offset.x()).arg(offset.y());
}

void FakeBackend::frame(const FrameOp& op, int seq) {
    seq_ = seq;
    switch (op.kind) {
    case FrameOp::Play:
        calls_ << QStringLiteral("play");
        break;
    case FrameOp::Stop:
        calls_ << QStringLiteral("stop");
        break;
    case FrameOp::Goto:
        calls_ << QStringLiteral("goto %1").arg(op.frame);
        break;
    default: {
        static const char* const kinds[] = {"tgoto",   "tplay", "tstop", "setvar",
                                            "setprop", "call",  "layer"};
        const QVariant value = op.kind == FrameOp::LoadLayer ? op.movie.size() : op.value;
        calls_ << QStringLiteral("%1 %2 %3 %4")
                      .arg(QLatin1String(kinds[op.kind - FrameOp::TargetGoto]))
                      .arg(op.frame)
                      .arg(op.target, value.toString())
                      .trimmed();
        break;
    }
    }
}

void FakeBackend::setActive(bool active) {
    active_ = active;
}

void FakeBackend::focusPlayer() {
    calls_ << QStringLiteral("focus");
}

void FakeBackend::makeReady() {
    if (ready_)
        return;
    ready_ = true;
    emit ready();
}

void FakeBackend::finishLoad() {
    loaded_ = true;
    emit movieReady();
}

void FakeBackend::failLoad() {
    loaded_ = false;
    emit loadFailed();
}

void FakeBackend::fireFsCommand(const QString& command, const QString& args) {
    emit fsCommand(command, args);
}

void FakeBackend::pushFrameState(int frame0, bool playing) {
    emit frameState(frame0, playing, seq_);
}

void FakeBackend::drawSquare(const QRect& square) {
    static_cast<FakeView*>(view_.data())->square = square;
    view_->update();
}

std::optional<ServedResource> FakeBackend::askForResource(const QString& relative) {
    std::optional<ServedResource> served;
    emit externalResource(relative, &served);
    return served;
}

bool FakeBackend::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            input_
                << QStringLiteral("press %1").arg(int(static_cast<QMouseEvent*>(event)->button()));
            break;
        case QEvent::MouseButtonDblClick:
            input_
                << QStringLiteral("double %1").arg(int(static_cast<QMouseEvent*>(event)->button()));
            break;
        case QEvent::MouseButtonRelease:
            input_ << QStringLiteral("release %1")
                          .arg(int(static_cast<QMouseEvent*>(event)->button()));
            break;
        case QEvent::KeyPress:
            input_ << QStringLiteral("key %1").arg(static_cast<QKeyEvent*>(event)->key());
            break;
        case QEvent::InputMethod:
            input_ << "ime " + static_cast<QInputMethodEvent*>(event)->commitString();
            break;
        default:
            break;
        }
    }
    return MovieBackend::eventFilter(watched, event);
}

FakeBackend* fakeBackendOf(const TFlashHostControl* control) {
    return control ? qobject_cast<FakeBackend*>(control->backend()) : nullptr;
}

} // namespace flashhost
