#include "app/TTimer.h"

#include "app/Guard.h"

TTimer::TTimer(QObject* parent, int interval, bool enabled) : QObject(parent), enabled_(enabled) {
    timer_.setInterval(interval);
    connect(&timer_, &QTimer::timeout, this, [this] { guarded([this] { emit OnTimer(); }); });
    restart();
}

void TTimer::setEnabled(bool e) {
    if (e == enabled_)
        return;
    enabled_ = e;
    restart();
}

void TTimer::setInterval(int ms) {
    if (ms == timer_.interval())
        return;
    timer_.setInterval(ms);
    restart();
}

// An interval of 0 stops the timer, as it did on the platform.
void TTimer::restart() {
    if (enabled_ && timer_.interval() > 0)
        timer_.start();
    else
        timer_.stop();
}
