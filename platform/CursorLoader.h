#pragma once
// Windows cursor files: static .cur (and .ico) and animated .ani.
//
// Everything read from a file is bounds-checked; a malformed, truncated or oversized
// file gives no frames, never a crash. Limits: images up to 256x256, up to 1000
// frames and steps per animation.

#include <QCursor>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <vector>

class QWidget;

namespace platform {

struct CursorImage {
    QImage image; // ARGB32
    QPoint hotspot;
    int delayMs = 0; // how long this step shows in an animation; 0 for a static cursor
};

// The frames of a .cur/.ico (one frame) or of an .ani (one per step, in display
// order: the "seq " chunk repeats frames). Empty on any error.
std::vector<CursorImage> loadCursorFrames(const QByteArray& bytes);

// Same, from a file; empty when it cannot be read.
std::vector<CursorImage> loadCursorFile(const QString& path);

// The cursor of a file (the first frame of an animation), or `fallback` on any error.
QCursor loadCursor(const QString& path, const QCursor& fallback);

// Plays the frames of an animated cursor on the widgets attached to it. A widget
// whose cursor someone else changed, or that was destroyed, is let go.
class AnimatedCursor : public QObject {
public:
    explicit AnimatedCursor(std::vector<CursorImage> frames, QObject* parent = nullptr);

    bool isValid() const { return !cursors_.empty(); }
    int frameCount() const { return static_cast<int>(cursors_.size()); }
    int currentFrame() const { return current_; }
    QCursor currentCursor() const;

    void attach(QWidget* widget);
    void detach(QWidget* widget);

private:
    void advance();

    std::vector<QCursor> cursors_;
    std::vector<int> delays_;
    int current_ = 0;
    QTimer timer_;
    std::vector<QPointer<QWidget>> widgets_;
};

} // namespace platform
