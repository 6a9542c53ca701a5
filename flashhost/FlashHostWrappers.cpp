// The player interface of the host controls beyond the frame calls forms use.
#include "flashhost/FlashHostControl.h"

#include "flashhost/LegacyText.h"
#include "flashhost/MemoryMovies.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

using flashhost::FrameOp;

namespace {

[[noreturn]] void cannot(const char* call) {
    throw ESafecallException(std::string(call) + ": the player cannot do this");
}

// Clip properties by number, as the player's property calls take them.
constexpr int kPropFrame = 4;
constexpr int kPropTotalFrames = 5;
constexpr int kPropFramesLoaded = 12;

constexpr const char* kRoot = "_level0";

// The absolute path of the clip a target names.
QString clipPath(const QString& target) {
    const QString t = target.trimmed();
    if (t.isEmpty() || t == QLatin1String("/"))
        return QLatin1String(kRoot);
    if (t.startsWith(QLatin1String("_level")))
        return t;
    if (t.startsWith(QLatin1String("_root")))
        return kRoot + t.mid(5);
    if (t.startsWith(QLatin1Char('/')))
        return kRoot + t;
    const bool dotted = t.contains(QLatin1Char('.')) && !t.contains(QLatin1Char('/'));
    return kRoot + QLatin1String(dotted ? "." : "/") + t;
}

// The absolute path of a variable: "/a:v", "a.b.v", "_root.v" or a name on the root.
QString variablePath(const QString& name) {
    for (const QChar separator : {QLatin1Char(':'), QLatin1Char('.')}) {
        const int at = name.lastIndexOf(separator);
        if (at >= 0)
            return clipPath(name.left(at)) + separator + name.mid(at + 1);
    }
    return kRoot + QLatin1Char(':') + name;
}

const QStringList kQualityNames = {QStringLiteral("Low"), QStringLiteral("High"),
                                   QStringLiteral("AutoLow"), QStringLiteral("AutoHigh")};

const QStringList kScaleNames = {QStringLiteral("ShowAll"), QStringLiteral("NoBorder"),
                                 QStringLiteral("ExactFit"), QStringLiteral("NoScale")};

} // namespace

int TFlashHostControl::gateVersion() const {
    return backend_ ? std::min((FlashVersion() >> 16) & 255, 8) : -1;
}

int TFlashHostControl::FrameNum() const {
    return gateVersion() >= 3 && movieVersion_ ? frame_ : props_.FrameNum;
}

void TFlashHostControl::setFrameNum(const int& frame) {
    props_.FrameNum = frame;
    if (gateVersion() >= 3)
        GotoFrame(frame);
}

bool TFlashHostControl::Playing() const {
    return gateVersion() >= 3 && movieVersion_ ? playing_ : props_.Playing;
}

void TFlashHostControl::setPlaying(const bool& on) {
    props_.Playing = on;
    if (gateVersion() < 3)
        return;
    propsChanged();
    if (on)
        Play();
    else
        Stop();
}

void TFlashHostControl::setMovie(const QString& url) {
    props_.Movie = url;
    if (!url.isEmpty())
        LoadMovie(0, url);
}

void TFlashHostControl::setQuality(const int& quality) {
    props_.Quality = quality;
    if (quality >= 0 && quality < kQualityNames.size())
        props_.Quality2 = kQualityNames[quality];
    propsChanged();
}

void TFlashHostControl::setQuality2(const QString& quality) {
    props_.Quality2 = quality;
    for (int i = 0; i < kQualityNames.size(); ++i)
        if (kQualityNames[i].compare(quality, Qt::CaseInsensitive) == 0)
            props_.Quality = i;
    propsChanged();
}

void TFlashHostControl::setBackgroundColor(const int& color) {
    props_.BackgroundColor = color;
    props_.BGColor =
        color < 0
            ? QString()
            : QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF).name().toUpper();
    propsChanged();
}

void TFlashHostControl::setBGColor(const QString& color) {
    props_.BGColor = color;
    QString name = color.trimmed();
    if (!name.isEmpty() && !name.startsWith(QLatin1Char('#')))
        name.prepend(QLatin1Char('#'));
    const QColor c(name);
    props_.BackgroundColor =
        name.isEmpty() || !c.isValid() ? -1 : c.red() | (c.green() << 8) | (c.blue() << 16);
    propsChanged();
}

void TFlashHostControl::setScaleMode(const int& mode) {
    props_.ScaleMode = mode;
    if (mode >= 0 && mode < kScaleNames.size())
        props_.Scale = kScaleNames[mode];
    propsChanged();
}

void TFlashHostControl::setScale(const QString& scale) {
    props_.Scale = scale;
    for (int i = 0; i < kScaleNames.size(); ++i)
        if (kScaleNames[i].compare(scale, Qt::CaseInsensitive) == 0)
            props_.ScaleMode = i;
    propsChanged();
}

void TFlashHostControl::setAlignMode(const int& mode) {
    props_.AlignMode = mode;
    props_.SAlign.clear();
    if (mode & 4)
        props_.SAlign += QLatin1Char('T');
    else if (mode & 8)
        props_.SAlign += QLatin1Char('B');
    if (mode & 1)
        props_.SAlign += QLatin1Char('L');
    else if (mode & 2)
        props_.SAlign += QLatin1Char('R');
    propsChanged();
}

void TFlashHostControl::setSAlign(const QString& align) {
    props_.SAlign = align;
    const QString a = align.toUpper();
    props_.AlignMode =
        (a.contains(QLatin1Char('L')) ? 1 : 0) | (a.contains(QLatin1Char('R')) ? 2 : 0) |
        (a.contains(QLatin1Char('T')) ? 4 : 0) | (a.contains(QLatin1Char('B')) ? 8 : 0);
    propsChanged();
}

void TFlashHostControl::submitMovieCall(int gate, const FrameOp& op) {
    if (gateVersion() < gate || movieVersion_ == 0)
        return;
    submitFrame(op);
}

std::optional<QByteArray> TFlashHostControl::movieAt(const QString& url) {
    // A movie named by its whole path (or a file: URL) is that one file, read here and
    // played from memory as any other: it reaches nothing beyond its Base either.
    const QUrl asUrl(url);
    const QString whole = asUrl.isLocalFile() ? asUrl.toLocalFile() : url;
    if (QFileInfo(whole).isAbsolute() && QFileInfo(whole).isFile()) {
        QFile f(whole);
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        // One byte past the largest movie is enough for the load to refuse it as too large.
        return f.read(flashhost::kMaxMovieBytes + 1);
    }
    // The host is offline: only files beside the movies, never another scheme.
    if (asUrl.scheme().size() > 1)
        return std::nullopt;
    std::optional<flashhost::ServedResource> served;
    const QPointer<TFlashHostControl> alive(this);
    onExternalResource(url, &served);
    if (!alive) {
        if (served && served->stream)
            served->release(served->stream);
        return std::nullopt;
    }
    if (served && served->stream) {
        const QByteArray bytes = served->stream->readAll();
        served->release(served->stream);
        return bytes;
    }
    if (served)
        return served->bytes;
    const auto file = flashhost::resolveMovieResource(props_.Base, url);
    QFile f(file.value_or(QString()));
    if (!file || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

bool TFlashHostControl::prepareZoom() {
    if (gateVersion() < 3 || movieVersion_ == 0)
        return false;
    zoom_.setView(size());
    zoom_.setStage(stageSize_, flashhost::ZoomView::Fit(std::clamp(props_.ScaleMode, 0, 3)));
    return true;
}

void TFlashHostControl::applyZoom() {
    backend_->setZoom(zoom_.scale(), zoom_.offset());
}

void TFlashHostControl::SetZoomRect(int left, int top, int right, int bottom) {
    if (!prepareZoom())
        return;
    zoom_.zoomRect(left, top, right, bottom);
    applyZoom();
}

void TFlashHostControl::Zoom(int factor) {
    if (!prepareZoom())
        return;
    zoom_.zoom(factor);
    applyZoom();
}

void TFlashHostControl::Pan(int x, int y, int mode) {
    if (!prepareZoom())
        return;
    zoom_.pan(x, y, mode);
    applyZoom();
}

void TFlashHostControl::Back() {
    if (frame_ > 0)
        GotoFrame(frame_ - 1);
}

void TFlashHostControl::Forward() {
    GotoFrame(frame_ + 1);
}

void TFlashHostControl::Rewind() {
    GotoFrame(0);
}

void TFlashHostControl::StopPlay() {
    Stop();
}

int TFlashHostControl::PercentLoaded() const {
    return gateVersion() >= 3 && ReadyState() == 4 ? 100 : 0;
}

bool TFlashHostControl::FrameLoaded(int frameNum) const {
    if (gateVersion() < 3)
        return true;
    return ReadyState() == 4 && frameNum >= 0 && frameNum < totalFrames_;
}

void TFlashHostControl::LoadMovie(int layer, const QString& url) {
    if (gateVersion() < 3)
        return;
    const auto bytes = url.isEmpty() ? std::optional<QByteArray>(QByteArray()) : movieAt(url);
    if (layer != 0) {
        if (bytes)
            loadLayer(layer, *bytes);
        return;
    }
    props_.Movie = url;
    if (url.isEmpty())
        clearMovie();
    else
        startLoad(bytes.value_or(QByteArray()));
}

void TFlashHostControl::TGotoFrame(const QString& target, int frameNum) {
    if (clipPath(target) == QLatin1String(kRoot))
        return GotoFrame(frameNum);
    submitMovieCall(3, {FrameOp::TargetGoto, 0, clipPath(target), frameNum + 1});
}

void TFlashHostControl::TGotoLabel(const QString& target, const QString& label) {
    submitMovieCall(3, {FrameOp::TargetGoto, 0, clipPath(target), label});
}

int TFlashHostControl::TCurrentFrame(const QString& target) {
    if (gateVersion() < 3)
        return 0;
    if (clipPath(target) == QLatin1String(kRoot))
        return CurrentFrame();
    return int(askMovie("TCurrentFrame", "pelumoGetProperty", {clipPath(target), kPropFrame})
                   .toDouble()) -
           1;
}

QString TFlashHostControl::TCurrentLabel(const QString& target) {
    if (gateVersion() < 3)
        return {};
    // The root's labels are known from the movie itself; a clip's are not.
    if (clipPath(target) != QLatin1String(kRoot))
        cannot("TCurrentLabel");
    const auto it = labels_.upper_bound(frame_);
    return it == labels_.begin() ? QString() : std::prev(it)->second;
}

void TFlashHostControl::TPlay(const QString& target) {
    if (clipPath(target) == QLatin1String(kRoot))
        return Play();
    submitMovieCall(3, {FrameOp::TargetPlay, 0, clipPath(target)});
}

void TFlashHostControl::TStopPlay(const QString& target) {
    if (clipPath(target) == QLatin1String(kRoot))
        return Stop();
    submitMovieCall(3, {FrameOp::TargetStop, 0, clipPath(target)});
}

void TFlashHostControl::SetVariable(const QString& name, const QString& value) {
    submitMovieCall(4, {FrameOp::SetVariable, 0, variablePath(name), value});
}

QString TFlashHostControl::GetVariable(const QString& name) {
    if (gateVersion() < 4)
        return {};
    return askMovie("GetVariable", "pelumoGet", {variablePath(name)}).toString();
}

void TFlashHostControl::TSetProperty(const QString& target, int property, const QString& value) {
    submitMovieCall(4, {FrameOp::SetProperty, property, clipPath(target), value});
}

QVariant TFlashHostControl::propertyOf(const char* call, const QString& target, int property) {
    // The root's frames are known from what the movie reports.
    if (clipPath(target) == QLatin1String(kRoot)) {
        switch (property) {
        case kPropFrame:
            return frame_ + 1;
        case kPropTotalFrames:
            return totalFrames_;
        case kPropFramesLoaded:
            return ReadyState() == 4 ? totalFrames_ : 0;
        default:
            break;
        }
    }
    return askMovie(call, "pelumoGetProperty", {clipPath(target), property});
}

QString TFlashHostControl::TGetProperty(const QString& target, int property) {
    if (gateVersion() < 4)
        return {};
    return propertyOf("TGetProperty", target, property).toString();
}

void TFlashHostControl::TCallFrame(const QString& target, int frameNum) {
    TCallLabel(target, QString::number(frameNum + 1));
}

void TFlashHostControl::TCallLabel(const QString& target, const QString& label) {
    submitMovieCall(4, {FrameOp::CallFrame, 0, clipPath(target) + QLatin1Char(':') + label});
}

void TFlashHostControl::TSetPropertyNum(const QString& target, int property, double value) {
    submitMovieCall(4, {FrameOp::SetProperty, property, clipPath(target), value});
}

double TFlashHostControl::TGetPropertyNum(const QString& target, int property) {
    if (gateVersion() < 4)
        return 0;
    return propertyOf("TGetPropertyNum", target, property).toDouble();
}

double TFlashHostControl::TGetPropertyAsNumber(const QString& target, int property) {
    if (gateVersion() != 7 && gateVersion() != 8)
        return 0;
    return propertyOf("TGetPropertyAsNumber", target, property).toDouble();
}

QString TFlashHostControl::CallFunction(const QString& request) {
    if (gateVersion() < 8)
        return {};
    return askMovie("CallFunction", "pelumoInvoke", {request}).toString();
}

void TFlashHostControl::SetReturnValue(const QString& returnValue) {
    if (gateVersion() >= 8)
        returnValue_ = returnValue;
}

namespace {

// One call into a movie waits at a time: a call made while one waits (from a timer, or
// from the movie's own events meanwhile) fails at once.
bool& askingMovie() {
    static bool asking = false;
    return asking;
}

} // namespace

QVariant TFlashHostControl::askMovie(const char* call, const QString& callback,
                                     const QVariantList& args) {
    if (!backend_ || movieVersion_ == 0 || pendingMovie_ ||
        queue_.movieState() != flashhost::CommandQueue::MovieState::Ready)
        throw ESafecallException(std::string(call) + ": no movie is loaded");
    if (askingMovie())
        throw ESafecallException(std::string(call) + ": another call into a movie is waiting");
    flush(); // the calls made before reach the movie first
    askingMovie() = true;
    const QPointer<TFlashHostControl> alive(this);
    const std::optional<QVariant> answer = backend_->query(callback, args);
    askingMovie() = false;
    if (!alive || !answer)
        throw ESafecallException(std::string(call) + ": the movie did not answer");
    if (answer->typeId() == QMetaType::QString)
        return flashhost::commandText(answer->toString(), movieVersion_);
    return answer->isNull() ? QVariant(QString()) : *answer;
}
