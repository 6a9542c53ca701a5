#pragma once
// A timer with the class library's shape: Enabled, Interval, Tag, OnTimer.
// Several windows count seconds or ticks in Tag.

#include <QObject>
#include <QTimer>

class TTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)
    Q_PROPERTY(int Tag READ Tag WRITE setTag)

public:
    explicit TTimer(QObject* parent = nullptr, int interval = 1000, bool enabled = true);

    bool Enabled() const { return enabled_; }
    void setEnabled(bool e);
    int Interval() const { return timer_.interval(); }
    void setInterval(int ms);
    int Tag() const { return tag_; }
    void setTag(int t) { tag_ = t; }

signals:
    void OnTimer();

private:
    void restart();
    QTimer timer_;
    bool enabled_;
    int tag_ = 0;
};
