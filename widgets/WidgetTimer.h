#pragma once
// The timer the widgets drive their repeats, scroll steps and animations with. It runs on a
// QTimer, or, once SetManualClock(true) was called, on a clock that only moves when Advance is
// called: timers then fire in order of their due time, so a test steps through a repeat or an
// animation exactly, whatever the machine's load.

#include <QObject>
#include <Qt>

class QTimer;

class TWidgetTimer : public QObject {
    Q_OBJECT
public:
    explicit TWidgetTimer(QObject* parent = nullptr);
    ~TWidgetTimer() override;

    // As QTimer: a running timer restarts with the new interval.
    void setInterval(int ms);
    int interval() const { return interval_; }
    void setSingleShot(bool on) { singleShot_ = on; }
    bool isSingleShot() const { return singleShot_; }
    void setTimerType(Qt::TimerType type) { type_ = type; }
    bool isActive() const;
    void start();
    void start(int ms);
    void stop();

    // Manual clock for the whole process (timers already running keep their own kind).
    static void SetManualClock(bool on);
    static bool ManualClock();
    // Moves the manual clock by ms, firing every timer that falls due on the way.
    static void Advance(int ms);

signals:
    void timeout();

private:
    void fire();

    int interval_ = 0;
    bool singleShot_ = false;
    Qt::TimerType type_ = Qt::CoarseTimer;
    QTimer* real_ = nullptr;
    bool manualActive_ = false;
    qint64 due_ = 0;
    quint64 order_ = 0;
};
