// The player interface of the host controls beyond the frame calls forms use.
#include "flashhost/FlashHostControl.h"

#include <algorithm>

namespace {

[[noreturn]] void cannot(const char* call) {
    throw ESafecallException(std::string(call) + ": the player cannot do this");
}

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

void TFlashHostControl::LoadMovie(int, const QString&) {
    if (gateVersion() >= 3)
        cannot("LoadMovie");
}

void TFlashHostControl::TGotoFrame(const QString&, int) {
    if (gateVersion() >= 3)
        cannot("TGotoFrame");
}

void TFlashHostControl::TGotoLabel(const QString&, const QString&) {
    if (gateVersion() >= 3)
        cannot("TGotoLabel");
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

void TFlashHostControl::TPlay(const QString&) {
    if (gateVersion() >= 3)
        cannot("TPlay");
}

void TFlashHostControl::TStopPlay(const QString&) {
    if (gateVersion() >= 3)
        cannot("TStopPlay");
}

void TFlashHostControl::SetVariable(const QString&, const QString&) {
    if (gateVersion() >= 4)
        cannot("SetVariable");
}

QString TFlashHostControl::GetVariable(const QString&) {
    if (gateVersion() >= 4)
        cannot("GetVariable");
    return {};
}

void TFlashHostControl::TSetProperty(const QString&, int, const QString&) {
    if (gateVersion() >= 4)
        cannot("TSetProperty");
}

QString TFlashHostControl::TGetProperty(const QString&, int) {
    if (gateVersion() >= 4)
        cannot("TGetProperty");
    return {};
}

void TFlashHostControl::TCallFrame(const QString&, int) {
    if (gateVersion() >= 4)
        cannot("TCallFrame");
}

void TFlashHostControl::TCallLabel(const QString&, const QString&) {
    if (gateVersion() >= 4)
        cannot("TCallLabel");
}

void TFlashHostControl::TSetPropertyNum(const QString&, int, double) {
    if (gateVersion() >= 4)
        cannot("TSetPropertyNum");
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
