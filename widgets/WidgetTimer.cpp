#include "widgets/WidgetTimer.h"

#include <QList>
#include <QTimer>

#include <QTimer>
#include <algorithm>

namespace {

bool gManual = false;
qint64 gNow = 0;
quint64 gStarts = 0;
QList<TWidgetTimer*> gRunning;

} // namespace

TWidgetTimer::TWidgetTimer(QObject* parent) : QObject(parent) {}

TWidgetTimer::~TWidgetTimer() {
    gRunning.removeAll(this);
}

void TWidgetTimer::setInterval(int ms) {
    interval_ = ms;
    if (isActive())
        start();
}

bool TWidgetTimer::isActive() const {
    return manualActive_ || (real_ && real_->isActive());
}

void TWidgetTimer::start(int ms) {
    interval_ = ms;
    start();
}

void TWidgetTimer::start() {
    stop();
    if (gManual) {
        manualActive_ = true;
        due_ = gNow + interval_;
        order_ = ++gStarts;
        gRunning << this;
        return;
    }
    if (!real_) {
        real_ = new QTimer(this);
        connect(real_, &QTimer::timeout, this, &TWidgetTimer::fire);
    }
    real_->setTimerType(type_);
    real_->setSingleShot(singleShot_);
    real_->start(interval_);
}

void TWidgetTimer::stop() {
    if (real_)
        real_->stop();
    if (manualActive_) {
        manualActive_ = false;
        gRunning.removeAll(this);
    }
}

void TWidgetTimer::fire() {
    if (manualActive_) {
        if (singleShot_) {
            manualActive_ = false;
            gRunning.removeAll(this);
        } else {
            // A timer never fires twice at one instant, as a zero interval would.
            due_ = gNow + std::max(interval_, 1);
            order_ = ++gStarts;
        }
    }
    emit timeout();
}

void TWidgetTimer::SetManualClock(bool on) {
    gManual = on;
}

bool TWidgetTimer::ManualClock() {
    return gManual;
}

void TWidgetTimer::Advance(int ms) {
    const qint64 end = gNow + ms;
    for (;;) {
        TWidgetTimer* next = nullptr;
        for (TWidgetTimer* t : std::as_const(gRunning))
            if (t->due_ <= end && (!next || t->due_ < next->due_ ||
                                   (t->due_ == next->due_ && t->order_ < next->order_)))
                next = t;
        if (!next)
            break;
        gNow = next->due_;
        next->fire();
    }
    gNow = end;
}
