// The player interface of the host controls beyond the frame calls forms use.
#include "flashhost/FlashHostControl.h"

#include "flashhost/MemoryMovies.h"

#include <QFile>
#include <QUrl>
#include <algorithm>

using flashhost::FrameOp;

namespace {

[[noreturn]] void cannot(const char* call) {
    throw ESafecallException(std::string(call) + ": the player cannot do this");
}

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
    // The host is offline: only files beside the movies, never another scheme.
    if (QUrl(url).scheme().size() > 1)
        return std::nullopt;
    std::optional<flashhost::ServedResource> served;
    onExternalResource(url, &served);
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

void TFlashHostControl::SetZoomRect(int, int, int, int) {
    if (gateVersion() >= 3)
        cannot("SetZoomRect");
}

void TFlashHostControl::Zoom(int) {
    if (gateVersion() >= 3)
        cannot("Zoom");
}

void TFlashHostControl::Pan(int, int, int) {
    if (gateVersion() >= 3)
        cannot("Pan");
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

int TFlashHostControl::TCurrentFrame(const QString&) {
    if (gateVersion() >= 3)
        cannot("TCurrentFrame");
    return 0;
}

QString TFlashHostControl::TCurrentLabel(const QString&) {
    if (gateVersion() >= 3)
        cannot("TCurrentLabel");
    return {};
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

QString TFlashHostControl::GetVariable(const QString&) {
    if (gateVersion() >= 4)
        cannot("GetVariable");
    return {};
}

void TFlashHostControl::TSetProperty(const QString& target, int property, const QString& value) {
    submitMovieCall(4, {FrameOp::SetProperty, property, clipPath(target), value});
}

QString TFlashHostControl::TGetProperty(const QString&, int) {
    if (gateVersion() >= 4)
        cannot("TGetProperty");
    return {};
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

double TFlashHostControl::TGetPropertyNum(const QString&, int) {
    if (gateVersion() >= 4)
        cannot("TGetPropertyNum");
    return 0;
}

double TFlashHostControl::TGetPropertyAsNumber(const QString&, int) {
    if (gateVersion() == 7 || gateVersion() == 8)
        cannot("TGetPropertyAsNumber");
    return 0;
}

QString TFlashHostControl::CallFunction(const QString&) {
    if (gateVersion() >= 8)
        cannot("CallFunction");
    return {};
}

void TFlashHostControl::SetReturnValue(const QString&) {
    if (gateVersion() >= 8)
        cannot("SetReturnValue");
}
